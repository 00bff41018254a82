// SPDX-License-Identifier: MIT
#include "games/FTPeekDlg.h"

#include "cards/Card.h"
#include "games/TableAccessible.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

TFTPeekDlg::TFTPeekDlg(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FTPeekDlg"));
    setWindowTitle(QStringLiteral("Peek"));
    setModal(false);
    setFixedSize(114, 188);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    Label1 = new QLabel(QStringLiteral("Next card in stock"), this);
    Label1->move(14, 8);
    Label1->adjustSize();
    Image1 = new QLabel(this);
    Image1->setGeometry(16, 24, 80, 125);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAccessibleDescription(Label1->text());
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setGeometry(23, 156, 66, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TFTPeekDlg::OKBtnClick);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFTPeekDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    DrawPeekCard();
}

void TFTPeekDlg::DrawPeekCard()
{
    if (!PeekCard)
        return;
    QImage face;
    PeekCard->GetCardBitmap(face);
    face = face.convertToFormat(QImage::Format_ARGB32);
    // Three pixels at each corner in the dialog's colour round the card off.
    const int right = face.width() - 1, bottom = face.height() - 1;
    const QRgb cut = palette().color(QPalette::Button).rgb();
    for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(right, bottom), QPoint(0, bottom)}) {
        const int inX = corner.x() == 0 ? 1 : -1, inY = corner.y() == 0 ? 1 : -1;
        for (const QPoint pixel : {corner, corner + QPoint(inX, 0), corner + QPoint(0, inY)})
            if (face.valid(pixel))
                face.setPixel(pixel, cut);
    }
    Image1->setPixmap(QPixmap::fromImage(face));
    Image1->setAccessibleName(TableAccessibility::cardName(PeekCard));
}
