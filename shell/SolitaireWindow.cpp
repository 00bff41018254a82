// SPDX-License-Identifier: MIT
#include "shell/SolitaireWindow.h"

#include "cards/Card.h"
#include "platform/FormPlacement.h"
#include "platform/Help.h"
#include "platform/Screen.h"
#include "resources/Resources.h"
#include "shell/GameCatalog.h"
#include "shell/InfoDlg.h"
#include "shell/Preferences.h"
#include "shell/ProgramEnd.h"
#include "shell/Requirements.h"
#include "shell/Sounds.h"
#include "shell/StatisticsDlg.h"
#include "shell/Tray.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

TSolitaireForm *SolitaireForm = nullptr;
int LastGameIndex = 0;

std::function<bool()> TSolitaireForm::systemTrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

namespace {
constexpr int clientWidth = 329;
constexpr int clientHeight = 241;
constexpr int trayWatchMs = 2000;
constexpr int listRowHeight = 15;

// Three bars of a chart, drawn for the screen's pixel density.
QIcon statisticsGlyph(qreal ratio)
{
    constexpr int size = 16;
    QPixmap glyph(QSize(size, size) * ratio);
    glyph.setDevicePixelRatio(ratio);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    const QColor colors[] = {QColor(0x2e, 0x8b, 0x3a), QColor(0xc0, 0x39, 0x2b), QColor(0x2e, 0x8b, 0x3a)};
    const int heights[] = {9, 5, 13};
    for (int i = 0; i < 3; ++i)
        painter.fillRect(QRect(2 + 4 * i, 15 - heights[i], 3, heights[i]), colors[i]);
    painter.fillRect(QRect(1, 15, 14, 1), Qt::black);
    return glyph;
}
}  // namespace

TSolitaireForm::TSolitaireForm(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Cardenza!"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientWidth, clientHeight);
    buildControls();
    buildTray();
    FormPlacement1 = new TFormPlacement(this);
    FormPlacement1->IniFileName = QStringLiteral("Solitaire.ini");
    FormPlacement1->IniSection = QStringLiteral("MainWindow");
    FormPlacement1->Options = fpPosition;
    FormCreate();
}

TSolitaireForm::~TSolitaireForm()
{
    Tray::setHandler({});
    TCard::FreeCardBitmaps();
    delete SoundManager;
    SoundManager = nullptr;
    if (SolitaireForm == this)
        SolitaireForm = nullptr;
}

void TSolitaireForm::buildControls()
{
    GameSelectListBox = new QListWidget(this);
    GameSelectListBox->setObjectName(QStringLiteral("GameSelectListBox"));
    GameSelectListBox->setGeometry(4, 5, 157, 97);
    QFont listFont(QStringLiteral("Arial"));
    listFont.setPixelSize(12);
    listFont.setBold(true);
    GameSelectListBox->setFont(listFont);
    QPalette listColours = GameSelectListBox->palette();
    listColours.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    listColours.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    GameSelectListBox->setPalette(listColours);
    GameSelectListBox->setToolTip(QStringLiteral("Select Solitaire Game"));
    GameSelectListBox->setAccessibleName(QStringLiteral("Games"));
    // Rows 15 pixels high, as many as the list shows at once.
    GameSelectListBox->setUniformItemSizes(true);
    for (const GameEntry *game : GameCatalog::entries()) {
        auto *item = new QListWidgetItem(game->name, GameSelectListBox);
        item->setSizeHint(QSize(0, listRowHeight));
    }
    connect(GameSelectListBox, &QListWidget::itemClicked, this, [this] { GameSelectListBoxClick(); });
    GameSelectListBox->installEventFilter(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(214, 5, 72, 104);
    Image1->setToolTip(QStringLiteral("Click for Info..."));
    Image1->setCursor(Qt::PointingHandCursor);
    // The jester opens the info box from the keyboard too (Tab to it, Enter or Space).
    Image1->setFocusPolicy(Qt::TabFocus);
    Image1->setAccessibleName(QStringLiteral("About Cardenza!"));
    Image1->installEventFilter(this);

    HelpButton = new QToolButton(this);
    HelpButton->setObjectName(QStringLiteral("HelpButton"));
    HelpButton->setGeometry(300, 80, 25, 25);
    HelpButton->setAutoRaise(true);
    HelpButton->setToolTip(QStringLiteral("Help..."));
    connect(HelpButton, &QToolButton::clicked, this, &TSolitaireForm::HelpButtonClick);

    StatisticsButton = new QToolButton(this);
    StatisticsButton->setObjectName(QStringLiteral("StatisticsButton"));
    StatisticsButton->setGeometry(300, 52, 25, 25);
    StatisticsButton->setAutoRaise(true);
    StatisticsButton->setToolTip(QStringLiteral("Statistics..."));
    StatisticsButton->setAccessibleName(QStringLiteral("Statistics..."));
    StatisticsButton->setIcon(statisticsGlyph(devicePixelRatioF()));
    connect(StatisticsButton, &QToolButton::clicked, this, &TSolitaireForm::StatisticsButtonClick);

    ImagePanel = new QFrame(this);
    ImagePanel->setGeometry(3, 109, 324, 129);
    ImagePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ImagePanel->setLineWidth(1);
    GameImage = new QLabel(ImagePanel);
    GameImage->setObjectName(QStringLiteral("GameImage"));
    GameImage->setAccessibleName(QStringLiteral("Game preview"));
    GameImage->setGeometry(2, 2, 320, 125);
    StartPanel = new QFrame(ImagePanel);
    StartPanel->setObjectName(QStringLiteral("StartPanel"));
    StartPanel->setGeometry(72, 72, 185, 41);
    StartPanel->setAutoFillBackground(true);
    auto *startText = new QLabel(QStringLiteral("Twelve classic patience games"), StartPanel);
    startText->setGeometry(0, 0, 185, 41);
    startText->setAlignment(Qt::AlignCenter);
    QFont startFont(QStringLiteral("Arial"));
    startFont.setPixelSize(12);
    startFont.setBold(true);
    startText->setFont(startFont);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TSolitaireForm::HelpButtonClick);
}

void TSolitaireForm::buildTray()
{
    TrayPopupMenu = new QMenu(this);
    QAction *restore = TrayPopupMenu->addAction(QStringLiteral("&Restore"));
    restore->setObjectName(QStringLiteral("Restore1"));
    connect(restore, &QAction::triggered, this, &TSolitaireForm::TrayIconDblClick);
    QAction *exit = TrayPopupMenu->addAction(QStringLiteral("&Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TSolitaireForm::Exit1Click);
    TrayIcon = new QSystemTrayIcon(this);
    TrayIcon->setToolTip(QStringLiteral("Cardenza!"));
    TrayIcon->setContextMenu(TrayPopupMenu);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
            TrayIconDblClick();
    });
    Tray::setHandler([this](bool on) { SetTrayActive(on); });
    trayWatch = new QTimer(this);
    trayWatch->setObjectName(QStringLiteral("trayWatch"));
    trayWatch->setInterval(trayWatchMs);
    connect(trayWatch, &QTimer::timeout, this, [this] { SetTrayActive(minimizeToTray); });
}

void TSolitaireForm::FormCreate()
{
    const QImage jester = Resources::bitmapForScreen(QStringLiteral("JESTER1"));
    Image1->setPixmap(QPixmap::fromImage(jester));
    Image1->setAlignment(Qt::AlignCenter);
    GameImage->setPixmap(QPixmap::fromImage(Resources::bitmapForScreen(QStringLiteral("STARTUP"))));
    HelpButton->setIcon(QPixmap::fromImage(Resources::bitmapForScreen(QStringLiteral("HELPGLYPH"))));
    const QPixmap icon = QPixmap::fromImage(Resources::bitmapForScreen(QStringLiteral("TRAYICON")));
    TrayIcon->setIcon(icon);
    setWindowIcon(icon);
    if (!SoundManager)
        SoundManager = new TSoundManager;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, jester.pixelColor(0, 0));
    setPalette(colours);
    setAutoFillBackground(true);
    StartPanel->setPalette(colours);
    GameSelectListBox->setFocus();
}

// ---- choosing a game ---------------------------------------------------------------

void TSolitaireForm::SelectGame(int index)
{
    GameSelectListBox->setCurrentRow(index);
    GameSelectListBoxClick();
}

void TSolitaireForm::selectRowQuietly(int row)
{
    const QSignalBlocker quiet(GameSelectListBox);
    GameSelectListBox->setCurrentRow(row);
}

QWidget *TSolitaireForm::OpenGameWindow() const
{
    for (const GameEntry *game : GameCatalog::entries()) {
        if (QWidget *window = game->largeWindow())
            return window;
        if (QWidget *window = game->smallWindow())
            return window;
    }
    return nullptr;
}

void TSolitaireForm::GameSelectListBoxClick()
{
    if (!CheckColorDepth())
        return;
    const int width = Screen::width();
    ScreenBelowSVGA = width < 800;
    ScreenBelowXGA = width < 1024;
    const bool large = !PreferencesDlg || PreferencesDlg->CardSize == 1;
    const int index = GameSelectListBox->currentRow();
    if (index < 0 || index >= GameCatalog::entries().size())
        return;
    const GameEntry *game = GameCatalog::entries()[index];
    const QWidget *openWindow = large ? game->largeWindow() : game->smallWindow();
    if (!openWindow) {
        CloseAllGames();
        if (!CanCloseGames) {
            selectRowQuietly(LastGameIndex);
            LastGameIndex = GameSelectListBox->currentRow();
            return;
        }
        StartPanel->hide();
        GameImage->setPixmap(QPixmap::fromImage(Resources::bitmapForScreen(game->preview)));
        if (CheckScreenSize(index, large)) {
            TCard::SetCardSize(large ? FS_LARGE : FS_SMALL);
            if (PreferencesDlg)
                PreferencesDlg->RefreshCustomBack();
            (large ? game->createLarge() : game->createSmall())->show();
        }
    }
    LastGameIndex = GameSelectListBox->currentRow();
}

void TSolitaireForm::CloseAllGames()
{
    CanCloseGames = true;
    for (const GameEntry *game : GameCatalog::entries()) {
        for (QWidget *open : {game->largeWindow(), game->smallWindow()}) {
            if (open) {
                open->close();
                if (!CanCloseGames)
                    return;
            }
        }
    }
}

// ---- launcher window -----------------------------------------------------------------

void TSolitaireForm::closeEvent(QCloseEvent *event)
{
    CloseAllGames();
    if (!CanCloseGames) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT Closed();
}

void TSolitaireForm::HelpButtonClick() { Help::showContents(this); }

void TSolitaireForm::StatisticsButtonClick()
{
    const QList<const GameEntry *> &games = GameCatalog::entries();
    QString first = games.value(GameSelectListBox->currentRow()) ? games[GameSelectListBox->currentRow()]->name : QString();
    for (const GameEntry *game : games)
        if (game->largeWindow() || game->smallWindow())
            first = game->name;
    ShowStatistics(this, first);
}

void TSolitaireForm::Image1Click() { ShowInfoBox(this); }

void TSolitaireForm::Exit1Click() { ProgramEnd::end(ProgramEnd::Asking::Player); }

// The list answers the keyboard as a click: choosing with the arrows opens the game,
// and Enter opens the selected one (again, after a refused display check).
bool TSolitaireForm::listKeyEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->type() == QEvent::KeyPress && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        GameSelectListBoxClick();
        return true;
    }
    if (event->type() == QEvent::KeyRelease
        && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End
            || key == Qt::Key_PageUp || key == Qt::Key_PageDown))
        GameSelectListBoxClick();
    return false;
}

bool TSolitaireForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Image1Click();
        return true;
    }
    if (watched == Image1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Image1Click();
            return true;
        }
    }
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (watched == GameSelectListBox && keyEvent && listKeyEvent(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// ---- notification area ------------------------------------------------------------------

void TSolitaireForm::SetTrayActive(bool on)
{
    minimizeToTray = on;
    TrayIcon->setVisible(on && systemTrayAvailable());
    if (TrayIcon->isVisible())
        FormHide();  // when minimised already
    else
        leaveTray();
}

// On Linux a window without a taskbar button is a hidden one: while minimising to
// the tray, the minimised launcher hides and the tray icon brings it back.
void TSolitaireForm::FormHide()
{
    if (!minimizeToTray || !TrayIcon->isVisible() || !isMinimized())
        return;
    hide();
    hiddenInTray = true;
    trayWatch->start();
}

// With the tray turned off, or the notification area gone, nothing could bring the
// hidden launcher back (and the program would run on unseen): it shows itself.
void TSolitaireForm::leaveTray()
{
    if (hiddenInTray)
        TrayIconDblClick();
}

void TSolitaireForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Hidden once the minimising is over (showMinimized shows the window after
    // changing its state).
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        QMetaObject::invokeMethod(this, &TSolitaireForm::FormHide, Qt::QueuedConnection);
}

void TSolitaireForm::TrayIconDblClick()
{
    hiddenInTray = false;
    trayWatch->stop();
    showNormal();
    raise();
    activateWindow();
}
