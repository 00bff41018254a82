// SPDX-License-Identifier: MIT
#include "shell/InfoDlg.h"

#include "resources/Resources.h"
#include "shell/Sounds.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>

TInfoBox *InfoBox = nullptr;
int JesterFrame = 0;

namespace {

const QColor maroon(128, 0, 0);
const QColor navy(0, 0, 128);

QFont arial(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *placedLabel(QWidget *parent, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

// One step of the jester's dance: the picture to show and the step after it.
// He cycles 3, 2, 1, 2, 3, 2, 1, 2, ...
struct JesterStep {
    int picture;
    int next;
};
constexpr JesterStep jesterSteps[4] = {{3, 1}, {2, 2}, {1, 3}, {2, 0}};

}  // namespace

UrlLabel::UrlLabel(const QString &caption, const QString &url, QWidget *parent)
    : QLabel(caption, parent), URL(url)
{
    QFont linkFont = font();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, navy);
    setPalette(colors);
    setCursor(Qt::PointingHandCursor);
    setToolTip(url);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleDescription(url);
}

void UrlLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        QDesktopServices::openUrl(QUrl(URL));
    else
        QLabel::keyPressEvent(event);
}

// The focused link shows a dotted frame.
void UrlLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void UrlLabel::mousePressEvent(QMouseEvent *event)
{
    pressed = event->button() == Qt::LeftButton;
}

void UrlLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (clicked)
        QDesktopServices::openUrl(QUrl(URL));
}

TInfoBox::TInfoBox(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("About Cardenza!"));
    // An open info box does not keep the program running once the launcher closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(arial(13));
    setFixedSize(539, 316);
    buildControls();
    centreOnScreen(this);
    FormCreate();
}

TInfoBox::~TInfoBox()
{
    if (InfoBox == this)
        InfoBox = nullptr;
}

void TInfoBox::buildControls()
{
    Memo1 = new QLabel(QStringLiteral("Cardenza Version 1.0"), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 0, width(), 25);
    Memo1->setAlignment(Qt::AlignCenter);
    Memo1->setFont(arial(19, true));
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette memoColors = Memo1->palette();
    memoColors.setColor(QPalette::WindowText, maroon);
    Memo1->setPalette(memoColors);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Panel1->setGeometry(0, 25, width(), 2);

    // The decorative picture lies under the credit lines, which are transparent.
    Image2 = new QLabel(this);
    Image2->setPixmap(QPixmap::fromImage(Resources::bitmapForScreen(QStringLiteral("INFOPIC"))));
    Image2->setGeometry(QRect(QPoint(224, 32), Image2->pixmap().deviceIndependentSize().toSize()));

    Image1 = new QLabel(this);
    Image1->setGeometry(9, 36, 66, 90);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image1->setAccessibleName(QStringLiteral("Jester"));

    Label1 = placedLabel(this,
                         QStringLiteral("Cardenza! \u2014 twelve games of patience for one player.\n"
                                        "Designed, drawn and programmed by The Cardenza developers."),
                         {96, 32});
    Label2 = placedLabel(this,
                         QStringLiteral("Beleaguered Castle, Double Klondike, Forty Thieves, Free Cell,\n"
                                        "Golf, Indian Patience, Klondike, Montana, Pyramid, Queen of Italy,\n"
                                        "Sea Towers and Spider: pick a game, deal, and enjoy.\n"
                                        "\n"
                                        "Thanks to every player who sent us ideas and deals.\n"
                                        "\n"
                                        "The latest version and more information is always available at:"),
                         {96, 72});
    URLLabel1 = new UrlLabel(QStringLiteral("https://cardenza.example.org"),
                              QStringLiteral("https://cardenza.example.org"), this);
    URLLabel1->move(179, 202);
    URLLabel1->adjustSize();
    Label3 = placedLabel(this, QStringLiteral("Please forward all suggestions,comments, or bug reports to:"), {96, 232});
    URLLabel2 = new UrlLabel(QStringLiteral("feedback@cardenza.example.org"),
                              QStringLiteral("mailto:feedback@cardenza.example.org"), this);
    URLLabel2->move(185, 252);
    URLLabel2->adjustSize();

    Label4 = new QLabel(QStringLiteral("Cardenza! is free software (MIT licence)."), this);
    Label4->setFont(arial(12));
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setGeometry(141, 296, 257, 16);

    Timer1 = new QTimer(this);
    Timer1->setInterval(400);
    connect(Timer1, &QTimer::timeout, this, &TInfoBox::Timer1Timer);
}

void TInfoBox::FormCreate()
{
    Jester1 = Resources::bitmapForScreen(QStringLiteral("JESTER1"));
    Jester2 = Resources::bitmapForScreen(QStringLiteral("JESTER2"));
    Jester3 = Resources::bitmapForScreen(QStringLiteral("JESTER3"));
    ShowJester(Jester2);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Jester2.pixelColor(0, 0));
    setPalette(colors);
    Timer1->start();
    if (SoundManager)
        SoundManager->PlayJester();
}

void TInfoBox::ShowJester(const QImage &picture) { Image1->setPixmap(QPixmap::fromImage(picture)); }

void TInfoBox::Timer1Timer()
{
    const JesterStep &step = jesterSteps[(JesterFrame % 4 + 4) % 4];
    ShowJester(step.picture == 1 ? Jester1 : step.picture == 2 ? Jester2 : Jester3);
    JesterFrame = step.next;
}

void TInfoBox::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TInfoBox::FormClose()
{
    if (closed)
        return;
    closed = true;
    Timer1->stop();
    Jester1 = Jester2 = Jester3 = QImage();
    if (InfoBox == this)
        InfoBox = nullptr;
    deleteLater();
}

void ShowInfoBox(QWidget *owner)
{
    if (!InfoBox)
        InfoBox = new TInfoBox(owner);
    InfoBox->show();
    InfoBox->raise();
    InfoBox->activateWindow();
}
