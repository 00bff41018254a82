// SPDX-License-Identifier: MIT
#pragma once
#include <QDialog>
#include <QImage>
#include <QList>
#include <QWidget>

class QPushButton;
class QTimer;

// The animation control: plays the frames of a video resource in a loop, one
// frame per tick of its timer.
class AnimationControl : public QWidget
{
    Q_OBJECT
public:
    explicit AnimationControl(QWidget *parent = nullptr);

    void SetResName(const QString &name);
    void Play(int fromFrame, int toFrame);  // frames counted from 1
    void Stop();
    bool Active() const;
    int FrameCount() const { return frames.size(); }
    int CurrentFrame() const { return current; }  // counted from 1, 0 before playing
    const QImage &CurrentImage() const;

    QTimer *Timer;

public Q_SLOTS:
    void Step();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QImage> frames;
    int startFrame = 1;
    int stopFrame = 1;
    int current = 0;
};

// The "You've Won!" window a game shows when the player wins: a looping
// celebration and a fanfare until the player presses "OK, Great!".
class TWinForm : public QDialog
{
    Q_OBJECT
public:
    explicit TWinForm(QWidget *owner = nullptr);
    ~TWinForm() override;

    AnimationControl *Animate1;
    QPushButton *Button1;

    // The window has no way out but its button: Escape does nothing.
    void reject() override;
    void done(int result) override;

public Q_SLOTS:
    void Button1Click();

private:
    void FormCreate();
    void FormClose();

    bool closed = false;
};

// The open win window, or null.
extern TWinForm *WinForm;

// Creates the win window and shows it modally; returns when the player closed it.
void ShowWinForm(QWidget *parent);
