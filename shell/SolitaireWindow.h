// SPDX-License-Identifier: MIT
#pragma once
#include <QWidget>
#include <functional>

class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class TFormPlacement;

// The launcher: lists the twelve games, shows the chosen game's preview, opens one
// game window at a time at the preferred card size, and owns the sound manager, the
// help button, the jester (the way to the info box) and the notification-area icon.
class TSolitaireForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSolitaireForm(QWidget *parent = nullptr);
    ~TSolitaireForm() override;

    bool CanCloseGames = true;
    bool ScreenBelowSVGA = false;
    bool ScreenBelowXGA = false;

    QListWidget *GameSelectListBox;
    QLabel *Image1;
    QToolButton *HelpButton;
    QToolButton *StatisticsButton;
    QFrame *ImagePanel;
    QLabel *GameImage;
    QFrame *StartPanel;
    QSystemTrayIcon *TrayIcon;
    QMenu *TrayPopupMenu;

    void GameSelectListBoxClick();
    void SelectGame(int index);  // as a click on that item
    void CloseAllGames();
    void HelpButtonClick();
    // The statistics, of the open game or else of the game chosen in the list.
    void StatisticsButtonClick();
    void Image1Click();
    void TrayIconDblClick();
    void Exit1Click();
    void SetTrayActive(bool minimizeToTray);
    bool isHiddenInTray() const { return hiddenInTray; }
    QWidget *OpenGameWindow() const;  // the one open game window, or null

    // Whether the desktop has a notification area; tests put their own answer here.
    static std::function<bool()> systemTrayAvailable;

Q_SIGNALS:
    // The launcher has agreed to close: the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void buildControls();
    void buildTray();
    void FormHide();
    void leaveTray();
    void selectRowQuietly(int row);
    bool listKeyEvent(QKeyEvent *event);

    TFormPlacement *FormPlacement1;
    bool minimizeToTray = false;
    bool hiddenInTray = false;
    QTimer *trayWatch;  // while hidden in the tray: is the notification area still there?
};

extern TSolitaireForm *SolitaireForm;
extern int LastGameIndex;
