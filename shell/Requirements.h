// SPDX-License-Identifier: MIT
#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// What the chosen game needs of the screen and was not given.
enum DisplayRequirement : int {
    FS_SVGA_LARGE = 0,  // 800 pixels wide for large cards
    FS_XGA_LARGE = 1,   // 1024 pixels wide for large cards
    FS_SVGA_SMALL = 2   // 800 pixels wide even for small cards
};

// Explains why a game cannot be opened on this display. Created once, hidden, at
// start-up and reused for every message; only ever shown modally.
class TSysRequirementsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSysRequirementsForm(QWidget *owner = nullptr);
    ~TSysRequirementsForm() override;

    QFrame *Panel1;
    QLabel *Image1;
    QLabel *RxLabel1;
    QLabel *MessageLabel;
    QPushButton *PrefButton;
    QPushButton *OKButton;
    QPushButton *HelpBtn;

public Q_SLOTS:
    void PrefButtonClick();
    void HelpBtnClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void FormCreate();
};

extern TSysRequirementsForm *SysRequirementsForm;

// The display shows more than 256 colours; otherwise explains and answers false.
bool CheckColorDepth();
// The screen is wide enough for the game (the launcher's list index) at the card
// size; otherwise explains and answers false.
bool CheckScreenSize(int gameIndex, bool largeCards);
// Puts the message for the game and requirement into the window and shows it modally.
void ShowDisplayRequirement(int gameIndex, DisplayRequirement requirement);
