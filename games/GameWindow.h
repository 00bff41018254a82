// SPDX-License-Identifier: MIT
#pragma once
#include "cards/Card.h"
#include "cards/CardPile.h"
#include "cards/CardPileView.h"
#include "cards/Undo.h"
#include "games/GameJournal.h"
#include "games/TableLayout.h"
#include "platform/Controls.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class TProfile;
class TFormPlacement;
class TzBackground;
class TSoundManager;
class CardMatcher;
class SolverHelp;
class PlayRecord;
struct FinishedGame;
namespace TableText {
struct PileLine;
struct RecordLine;
struct StateLines;
struct SavedGameText;
struct PlayTally;
}  // namespace TableText

enum class CardScale { Large, Small };

// One of a game's own counters that the journal keeps and a saved game writes down
// ("Recycles", "Pass"), bound to the member that holds it.
struct StateField {
    StateField(QString fieldName, int *member) : name(std::move(fieldName)), number(member) {}
    StateField(QString fieldName, bool *member) : name(std::move(fieldName)), flag(member) {}
    QString name;
    int *number = nullptr;
    bool *flag = nullptr;
    int get() const { return number ? *number : int(*flag); }
    void set(int value) const
    {
        if (number)
            *number = value;
        else
            *flag = value != 0;
    }
};

// A window's size rules at one card size. Widths are client widths, the frames
// added by the platform; the minimum height is an outer height, as the window's
// minimum-size query gives it.
struct WindowSize {
    int clientWidth = 0, clientHeight = 0;  // the width is also the window's fixed width
    int minimumHeight = 0;       // minimum outer height; 0: the client height
    bool fixedHeight = false;    // the window cannot be resized at all
    int columnHeightMargin = 0;  // on resize: column height = client height - margin (0: none)
    int anchorMargin = 0;        // on resize: anchored views' top = client height - margin (0: none)
    QString optionsSection = {};  // usually shared by both sizes; empty: the game keeps no options
    QString placementSection = {};  // "Klondike", "sKlondike"
};

// Everything about a game window that is a value, not a rule.
struct GameDescription {
    QString caption;  // "Klondike"
    int helpTopic = 0;
    int winningScore = 52;
    // Closing asks from this many moves on; New Game and Restart ask above it.
    int promptThreshold = 5;
    int decks = 1;
    bool hasAutoplay = true;
    QString autoplayCaption = QStringLiteral("A&utoplay");
    // The menu items some windows name and caption otherwise.
    QString newGameName = QStringLiteral("NewGame1");
    QString restartName = QStringLiteral("Restart1");
    QString preferencesCaption = QStringLiteral("&Preferences...");
    QString aboutCaption = QStringLiteral("Rule&s...");
    bool canMaximize = true;
    bool placementState = false;  // the window position store keeps the maximised state too
    bool restartFaceDown = true;  // Restart turns every card face down before dealing
    bool middleButtonSends = false;  // the middle button on a column sends its top card home
    // A drop target found during a drag holds while the pointer moves on over places
    // that refuse; otherwise only the place under the pointer counts (games that pair off).
    bool dropTargetSticks = true;
    WindowSize large, small;
    TableLayout layout;

    // The caption while the score counts ("Klondike   Score: 12") and the two prompts
    // all follow from the game's name.
    QString scorePrefix() const { return caption + QStringLiteral("   Score: "); }
    QString restartPrompt() const { return QStringLiteral("Restart this game of %1?").arg(caption); }
    QString quitPrompt() const { return QStringLiteral("Quit this game of %1?").arg(caption); }
};

// The common game window: construction from the settings file, the pop-up menu,
// New Game and Restart with their prompts, closing, the deal skeleton and its
// animation, the journal that undoes and redoes every action and writes the game
// down, the score caption, the win, the autoplay loop, the table preferences, the
// rules and the size limits. It also wires the gestures
// every game shares and runs the drag protocol around two questions each game
// answers: may these cards leave this view, and may they land on that one.
class GameWindow : public QWidget, public DropZone
{
    Q_OBJECT
public:
    GameWindow(GameDescription description, CardScale scale, QWidget *parent = nullptr);
    ~GameWindow() override;

    // Runs after the most derived constructor: background, options, the silent first deal.
    void FormCreate();

    TCardPileView *viewNamed(const QString &name) const;
    // The first view of a role: the stock, the waste.
    TCardPileView *viewOf(PileRole role) const;
    const QList<TCardPileView *> &pileViews() const { return views; }
    QList<TCardPileView *> viewsOf(PileRole role) const;
    PileRole roleOf(const TCardPileView *view) const;
    const GameDescription &gameDescription() const { return description; }
    CardScale cardScale() const { return scale; }
    // The whole table as text, one line per view: "Name: AS 5h ...".
    Q_INVOKABLE QString dealText() const;
    int cardCount() const { return 52 * description.decks; }
    // The whole game as text: the first deal, the journal with its undo and redo
    // entries, options and locks; and read back into this window. A text that cannot
    // be used changes nothing and says why.
    QString savedText();
    bool restoreSaved(const QString &text, QString *why);

    QAction *Undo1 = nullptr;
    QAction *Redo1 = nullptr;
    QAction *Autoplay1 = nullptr;
    QAction *NewGame1 = nullptr;
    QAction *Restart1 = nullptr;
    QAction *Preferences1 = nullptr;
    QAction *Statistics1 = nullptr;
    QAction *About1 = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // The table's views by role, left to right.
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QList<TCardPileView *> FreeCells;

    TCardPile *SavedDeal = nullptr;
    TCardUndo *UndoList = nullptr;
    int MoveCount = 0;
    bool GameOver = false;
    int Score = 0;
    bool DoAutoplay = false;

    void NewGame1Click(QObject *sender);
    void Undo1Click();
    void Redo1Click();
    void Autoplay1Click();
    void Preferences1Click();
    void Statistics1Click();  // GameWindowRecord.cpp
    void About1Click();
    bool FormCloseQuery();
    // The quit question, when the game has gone far enough to ask it.
    bool mayLeaveGame();
    // The table preferences onto the window and its views (at creation and after the
    // preferences dialog); a game may follow them with more of its own.
    virtual void ApplyBackground();
    int ShowScore();
    virtual void CheckWin();
    // The stock's click, the space bar and the middle button (games with a stock).
    void DeckPileViewClick();
    // Sends the view's top card to a foundation, when one takes it.
    virtual void sendHome(TCardPileView *view);
    // True while a drag is waiting to start or running: nothing may touch the piles.
    static bool dragUnderWay();
    // What the solver does for the player: Hint, Solve and Winnable Deals Only.
    SolverHelp *solverHelp() const { return help; }
    // Hints used in this game; each move Solve plays counts as one.
    int hintsUsed() const;
    // The player's record of the game under way: its clock and tallies
    // (GameWindowRecord.cpp).
    PlayRecord *playRecord() const { return record; }

Q_SIGNALS:
    // The table is dealt and play begins: undoing every move comes back to this table.
    // A game whose deal ends with a choice of the player's says so again afterwards.
    void tableDealt();
    // The table has changed and shows it: after every move, stock click, undo and deal.
    void tableRefreshed();

protected:
    // ---- what a game supplies ---------------------------------------------------
    // Every game: where the deck lies while it is dealt, the deal, and the two
    // questions: may the cards from `card` up leave this view (the press), and may the
    // dragged cards land on that one (the drag)?
    virtual TCardPileView *dealingView() const = 0;
    virtual void dealCards(bool animate) = 0;
    virtual bool mayDrag(TCardPileView *view, TCard *card) = 0;
    virtual bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) = 0;

    // Where a game departs from the common pattern; the games named override each.
    // After the deal: the game's own counters and labels (Klondike, Forty Thieves, Golf, Montana).
    virtual void finishDeal() {}
    // A move the deal makes for the player, which undo can take back (Golf's first
    // stock card).
    virtual void openingMove() {}
    // The table as it now lies is where undo stops, as after a deal (Montana's
    // shuffle, the Queen of Italy's first foundation).
    void startFromThisTable();
    // The stock's click: what it turns (every game with a stock).
    virtual void turnStock() {}
    // Released with no target touched, the cards try these in order; by default the
    // columns that have cards, then every column, then the foundations (Spider, Montana).
    virtual QList<TCardPileView *> defaultTargets(const TCardPileView *source) const;
    // The foundation a card goes to on a send home, or null (Castle, Queen of Italy).
    virtual TCardPileView *homeFor(const TCard *card) const;
    // The steps a move causes by itself (turning up a card, refilling a waste), each
    // booked as a record of its own right after the move (the Klondike family,
    // Forty Thieves, Indian Patience, Spider).
    virtual void afterMove(TCardPileView *source) { Q_UNUSED(source) }
    // What the table shows beyond its piles (the stock's mark, a pass label, which
    // cards are free), brought up to date after every deal, action and undo (games
    // with a stock).
    virtual void tableChanged() {}
    // By default the cards on the foundations and discard piles (Montana).
    virtual int computeScore() const;
    // The piles an autoplay pass looks at, in its order (Queen of Italy).
    virtual QList<TCardPileView *> autoplaySources() const;
    // The game's own counters beyond its piles, which undo, redo and a saved game
    // keep with the table (Klondike's recycles, Pyramid's pass).
    virtual QList<StateField> stateFields() { return {}; }
    // A new deck frees the options a game locks during play (Spider).
    virtual void unlockOptions();
    // Views that keep their distance to the bottom edge (Forty Thieves, Indian
    // Patience, Queen of Italy).
    virtual QList<TCardPileView *> anchoredViews() const { return {}; }
    // A press that plays instead of dragging (Golf's columns, a Montana gap, Queen of
    // Italy's choice of base).
    virtual void viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift);
    // The drag protocol; the end of a drag knows the view it was released over, and a
    // game may add to it (Pyramid's sounds).
    void viewStartDrag(TCardPileView *source);
    void viewDragOver(TCardPileView *target, TCardPileView *source);
    virtual void viewEndDrag(TCardPileView *source, TCardPileView *over);

    // ---- shared moves: each moves, repaints and records ------------------------
    // Moves the top card of `from` onto `to` as a card record.
    TCard *moveTopCard(TCardPileView *from, TCardPileView *to);
    // Turns a face-down top card face up, as a record of its own.
    bool TurnUpTop(TCardPileView *view);
    // Books the cards just dragged from `source` to its drop target.
    void recordDrag(TCardPileView *source);
    // Sends every top card that fits a foundation home while autoplay is on.
    void AutoplayPass();
    // The action under way is taken back without the undo sound (Spider's deal).
    void markUndoQuiet();
    // Counted move done: one more move, then the win check.
    void moveDone();
    // One deal step of the animation: repaint the dealing view and play "DEAL".
    void playDealStep(TCardPileView *dealingView);
    // Takes the dealing pile's top card and puts it on a view.
    TCard *dealCard(TCardPileView *onto, bool faceUp, bool animate);
    void Deal(bool silent, bool newDeck);
    // The stock's count as its tooltip, then the game's own marks.
    void refreshTable();
    // The waste turns over into the stock face down, the card turned first on top
    // again, as one record.
    void turnOverWaste(TCardPileView *waste, TCardPileView *stock);
    // Is the deal animation on (the preference)?
    static bool animationOn();

    // ---- options ---------------------------------------------------------------
    // A checkable item bound to a setting: read at creation, written when chosen.
    QAction *addOption(const QString &itemName, const QString &caption, const QString &key, bool defaultValue,
                       bool *member);
    // Two items that choose one setting ("Draw Three" / "Draw One"). When lockable,
    // lockChoice() disables the unchosen item until the next new deck.
    struct Choice {
        QAction *whenTrue = nullptr;
        QAction *whenFalse = nullptr;
    };
    Choice addChoice(const QString &trueName, const QString &trueCaption, const QString &falseName,
                     const QString &falseCaption, const QString &key, bool defaultValue, bool *member,
                     bool lockable);
    void lockChoices();
    // A command item between Restart and Preferences ("Peek...").
    QAction *addCommand(const QString &name, const QString &caption, std::function<void()> handler);
    bool readOption(const QString &key, bool defaultValue);
    void writeOption(const QString &key, bool value);

    static void play(void (TSoundManager::*sound)());
    // The view of this window's table that `object` is; cards from another window's
    // table are never taken.
    TCardPileView *ownView(QObject *object) const;
    static TCardPileView *asView(QObject *object) { return qobject_cast<TCardPileView *>(object); }
    bool isAnimating() const { return animating; }
    const WindowSize &windowSize() const { return scale == CardScale::Large ? description.large : description.small; }

    GameDescription description;
    CardScale scale;
    TProfile *Profile1 = nullptr;
    TFormPlacement *FormPlacement1 = nullptr;
    TzBackground *zBackground1 = nullptr;
    QList<TCardPileView *> views;

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct ChoiceGroup {
        Choice items;
        QString key;
        bool *member;
        bool lockable;
    };
    struct OptionBinding {
        QAction *item;
        QString key;
        bool defaultValue;
        bool *member;
    };
    void buildViews();
    void wireViews();
    void buildMenu();
    QAction *addMenuItem(const QString &name, const QString &caption, QKeySequence shortcut,
                         std::function<void()> handler, QAction *before = nullptr);
    QAction *addCheckItem(const QString &name, const QString &caption);
    void applySizeLimits();
    void readOptions();
    void choose(ChoiceGroup &group, bool value, bool write);
    void FormClose();
    void FormResize();
    void emptyAllPiles(bool freeCards);
    bool isHidden(const TCardPileView *view) const;
    bool sendsHome(const TCardPileView *view) const;
    bool pairsOff(const TCardPileView *view) const;
    void showWhileHolding(TCardPileView *view);
    const PileViewRow &rowOf(const TCardPileView *view) const;

    // ---- the journal (GameWindowJournal.cpp) ----
    TableState captureTable();
    void applyTable(const TableState &state);
    QList<QAction *> optionItems() const;
    void rebaseJournal();
    void beginAction();
    void rebookRecords(const JournalEntry &entry);
    void commitAction();
    void updateHistoryItems();
    bool historyBusy() const;
    void showJournalTable(const TableState &state);
    bool mayShowJournalTable(const TableState &state);

    // ---- the saved game (GameWindowSaved.cpp) ----
    TableText::StateLines stateLines(const TableState &state, const TableState *before) const;
    int indexOfView(const QString &name) const;
    bool tableFromLines(const QList<TableText::PileLine> &lines, const TableState *before, TableState *state,
                        const CardMatcher &matcher, QString *why) const;
    bool stateFromLines(const TableText::StateLines &lines, const TableState *before, TableState *state,
                        const CardMatcher &matcher, QString *why);
    bool recordsFromLines(const QList<TableText::RecordLine> &lines, const TableState &after,
                          QList<JournalRecord> *records, QString *why) const;
    bool optionsFromText(const TableText::SavedGameText &saved, QString *why);
    void applySavedOptions(const TableText::SavedGameText &saved);
    QString keptName() const;
    bool gameUnderWay() const;
    bool keepGame();
    void forgetKeptGame();
    void restoreKeptGame();
    void installJournal(const TableState &deal, const TableState &base, const QList<JournalEntry> &entries,
                        int position, bool over);

    // ---- the player's record (GameWindowRecord.cpp) ----
    void startRecord();
    void recordLeftGame();  // a lost game, when one is under way
    void recordWonGame();
    FinishedGame finishedGame(bool won);
    QList<QPair<QString, bool>> optionValues() const;
    QString dealtDeck() const;
    TableText::PlayTally playTally() const;
    void resumeRecord(const std::optional<TableText::PlayTally> &tally);
    PlayRecord *record = nullptr;

    bool animating = false;
    GameJournal journal;
    int bookedRecords = 0;     // undo records already in journal entries
    bool pendingQuiet = false;
    int journalPaused = 0;     // while above zero, nothing is booked
    QAction *optionSeparator = nullptr;
    QList<OptionBinding> options;
    QList<ChoiceGroup> choices;

    friend class SolverHelp;
    SolverHelp *help = nullptr;
};

// Creates a game window and runs its creation step, as the launcher does.
template <typename Form>
Form *createGameWindow(QWidget *parent = nullptr)
{
    auto *form = new Form(parent);
    form->FormCreate();
    return form;
}
