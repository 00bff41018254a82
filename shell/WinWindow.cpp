// SPDX-License-Identifier: MIT
#include "shell/WinWindow.h"

#include "platform/Dialogs.h"
#include "resources/Resources.h"
#include "shell/Sounds.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TWinForm *WinForm = nullptr;

namespace {
constexpr int frameMilliseconds = 200;
}  // namespace

AnimationControl::AnimationControl(QWidget *parent) : QWidget(parent), Timer(new QTimer(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    Timer->setInterval(frameMilliseconds);
    connect(Timer, &QTimer::timeout, this, &AnimationControl::Step);
}

void AnimationControl::SetResName(const QString &name)
{
    Stop();
    frames = Resources::framesForScreen(name);
    current = 0;
    update();
}

void AnimationControl::Play(int fromFrame, int toFrame)
{
    if (frames.isEmpty())
        return;
    startFrame = qBound(1, fromFrame, int(frames.size()));
    stopFrame = qBound(startFrame, toFrame, int(frames.size()));
    current = startFrame;
    Timer->start();
    update();
}

void AnimationControl::Stop() { Timer->stop(); }

bool AnimationControl::Active() const { return Timer->isActive(); }

const QImage &AnimationControl::CurrentImage() const
{
    static const QImage none;
    return current >= 1 && current <= frames.size() ? frames[current - 1] : none;
}

void AnimationControl::Step()
{
    current = current >= stopFrame ? startFrame : current + 1;
    update();
}

void AnimationControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QImage &frame = CurrentImage();
    if (!frame.isNull())
        painter.drawImage(QPointF((width() - frame.deviceIndependentSize().width()) / 2, 0), frame);
}

TWinForm::TWinForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("You've Won!"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(376, 192);

    Animate1 = new AnimationControl(this);
    Animate1->setGeometry(0, 0, width(), 154);
    Animate1->setAccessibleName(QStringLiteral("You've Won!"));
    Button1 = new QPushButton(QStringLiteral("OK, Great!"), this);
    Button1->setGeometry(144, 162, 97, 25);
    Button1->setDefault(true);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TWinForm::Button1Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TWinForm::~TWinForm()
{
    if (WinForm == this)
        WinForm = nullptr;
}

void TWinForm::FormCreate()
{
    Animate1->SetResName(QStringLiteral("WIN_AVI"));
    Animate1->Play(1, 10);
    if (SoundManager)
        SoundManager->PlayWin();
}

void TWinForm::Button1Click() { accept(); }

void TWinForm::reject() {}

void TWinForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TWinForm::FormClose()
{
    if (closed)
        return;
    closed = true;
    Animate1->Stop();
    if (WinForm == this)
        WinForm = nullptr;
    deleteLater();
}

void ShowWinForm(QWidget *parent)
{
    WinForm = new TWinForm(parent);
    Dialogs::execModal(WinForm);
}
