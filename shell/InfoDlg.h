// SPDX-License-Identifier: MIT
#pragma once
#include <QDialog>
#include <QImage>
#include <QLabel>

class QFrame;
class QTimer;

// A label that opens a web page or writes a mail when clicked, or with Enter or Space
// once Tab has reached it: navy, bold and underlined, with the hand cursor.
class UrlLabel : public QLabel
{
    Q_OBJECT
public:
    UrlLabel(const QString &caption, const QString &url, QWidget *parent);

    QString URL;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool pressed = false;
};

// The "about" window: title, credits and contact links, with a jester who keeps
// moving while the box is open. Modeless; it frees itself when closed.
class TInfoBox : public QDialog
{
    Q_OBJECT
public:
    explicit TInfoBox(QWidget *owner = nullptr);
    ~TInfoBox() override;

    QLabel *Memo1;
    QFrame *Panel1;
    QLabel *Image1;
    QLabel *Image2;
    QLabel *Label1;
    QLabel *Label2;
    UrlLabel *URLLabel1;
    QLabel *Label3;
    UrlLabel *URLLabel2;
    QLabel *Label4;
    QTimer *Timer1;

    // Closing in any way (Escape, the close box) ends here.
    void done(int result) override;

public Q_SLOTS:
    void Timer1Timer();

private:
    void buildControls();
    void FormCreate();
    void FormClose();
    void ShowJester(const QImage &picture);

    QImage Jester1;
    QImage Jester2;
    QImage Jester3;
    bool closed = false;
};

// The open info box, or null.
extern TInfoBox *InfoBox;
// Where the jester is in his cycle; carried over from one info box to the next.
extern int JesterFrame;

// Creates the info box if there is none and shows it without making it modal;
// an open box is brought to the front.
void ShowInfoBox(QWidget *owner = nullptr);
