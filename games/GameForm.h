// SPDX-License-Identifier: MIT
#pragma once
#include "cards/Card.h"
#include "cards/CardPile.h"
#include "cards/CardPileView.h"
#include "cards/Undo.h"
#include "platform/Controls.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class TProfile;
class TFormPlacement;
class TzBackground;
class TSoundManager;

// One pile view of a table layout: where it sits, how it fans its cards and what
// it shows when empty. A game keeps its layout as a table of these rows; its
// small-card window is the same game with a second table.
struct PileViewRow {
    const char *name;
    int left, top, width, height;
    float xOffset, yOffset;
    bool bordered = false;
    bool allowDrag = false;
    _PileBitmap state = FS_BLANK;
    bool hidden = false;
};

// Everything about a game window that is a value, not a rule.
struct GameWindowValues {
    QString caption;            // "Klondike"
    QString scorePrefix;        // "Klondike   Score: "
    QString optionsSection;     // "Klondike"
    QString placementSection;   // "Klondike" or "sKlondike"
    bool placementState = false;
    int helpTopic = 0;
    QString restartPrompt;
    QString quitPrompt;
    int promptThreshold = 5;    // New Game / Restart ask above it, closing at it
    int clientWidth = 0, clientHeight = 0;
    int trackingWidth = 0;      // fixed outer width without the frames
    int minimumHeight = 0;      // minimum outer height
    int maximumHeight = 0;      // 0: free above the minimum
    int columnHeightMargin = 0; // FormResize: column height = client height - margin
    int winningScore = 52;
    int decks = 1;
    bool hasAutoplay = true;
    QString autoplayCaption = QStringLiteral("A&utoplay");
    std::vector<PileViewRow> layout;
};

// The common game window: construction from the settings file, the pop-up menu,
// New Game and Restart with their prompts, closing, the deal skeleton and its
// animation, undo's skeleton, the score caption, the win, the autoplay loop, the
// table preferences, the rules and the size limits. A game adds its layout, its
// deal, its checks, its sends and its undo cases.
class TGameForm : public QWidget, public TDropTarget
{
    Q_OBJECT
public:
    explicit TGameForm(GameWindowValues values, QWidget *parent = nullptr);
    ~TGameForm() override;

    // Runs after the most derived constructor: arrays, background, options,
    // the silent first deal.
    void FormCreate();

    // The named view of the layout, in layout order, for tests and the deal printer.
    TCardPileView *View(const QString &name) const;
    const QList<TCardPileView *> &Views() const { return views; }
    Q_INVOKABLE QString DealText() const;  // one line per view: "Name: AS 5h ..."

    QAction *Undo1 = nullptr;
    QAction *Autoplay1 = nullptr;
    QAction *NewGame1 = nullptr;
    QAction *Restart1 = nullptr;
    QAction *Preferences1 = nullptr;
    QAction *About1 = nullptr;
    QMenu *PopupMenu1 = nullptr;

    TCardPile *SavedDeal = nullptr;
    TCardUndo *UndoList = nullptr;
    int MoveCount = 0;
    bool GameOver = false;
    int Score = 0;
    bool DoAutoplay = false;

    void NewGame1Click(QObject *sender);
    void Undo1Click();
    void Autoplay1Click();
    void Preferences1Click();
    void About1Click();
    bool FormCloseQuery();
    void ApplyBackground();
    int ShowScore();
    void CheckWin();

protected:
    // What each game supplies.
    virtual void ReadOptions() {}
    virtual void UnlockOptions() {}
    virtual TCardPileView *DealingView() const = 0;
    virtual void DealCards(bool animate) = 0;
    virtual void FinishDeal() {}
    virtual int ComputeScore() const = 0;
    virtual void AutoplayPass() {}
    // Game-specific undo records; return true when the newest record was one.
    virtual bool UndoSpecialRecord() { return false; }
    virtual void AfterUndo() {}
    virtual void FormMouseDown(TMouseButton, TShiftState, int, int) {}
    virtual void FormKeyPress(QChar) {}

    // Shared helpers for the games.
    void Deal(bool silent, bool newDeck);
    void UndoOrdinaryRecord();
    void PlayDealStep(TCardPileView *dealingView);
    bool Animating() const { return animating; }
    void RecordDrag(TCardPileView *source);
    void WireDropCheck(TCardPileView *view, std::function<bool(TCardPileView *target, TCardPileView *source)> check);
    QList<TCardPileView *> ViewsNamed(const QString &prefix, int count) const;
    QAction *AddOptionItem(const QString &name, const QString &caption, std::function<void()> handler);
    void WriteOption(const QString &key, bool value);
    bool ReadOption(const QString &key, bool defaultValue);
    static TCardPileView *SourceView(QObject *source);
    // Plays one of the sound manager's effects (silent while it does not exist).
    static void Play(void (TSoundManager::*sound)());
    static TCardPileView *AsView(QObject *sender) { return qobject_cast<TCardPileView *>(sender); }

    GameWindowValues values;
    TProfile *Profile1 = nullptr;
    TFormPlacement *FormPlacement1 = nullptr;
    TzBackground *zBackground1 = nullptr;
    QList<TCardPileView *> views;
    QList<TCardPileView *> columns;  // stretched with the window's height

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void buildViews();
    void buildMenu();
    void applySizeLimits();
    void FormClose();
    void FormResize();
    void EmptyAllPiles(bool freeCards);
    bool animating = false;
    QAction *optionSeparator = nullptr;
};

// Creates a game window and runs its creation step, as the launcher does.
template <typename Form>
Form *CreateGameForm(QWidget *parent = nullptr)
{
    auto *form = new Form(parent);
    form->FormCreate();
    return form;
}

// The text form of a card in a printed deal: rank A 2 .. 9 T J Q K and suit C S D H,
// upper case face up, lower case face down.
QString CardText(const TCard *card);
