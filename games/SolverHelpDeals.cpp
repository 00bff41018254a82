// SPDX-License-Identifier: MIT
// "Winnable Deals Only": New Game deals until the solver finds a deal that can be
// won, behind a picture of the table, with a progress window after a moment.
#include "games/SolverHelp.h"

#include "games/GameWindow.h"
#include "platform/Random.h"
#include "shell/Profile.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QSignalBlocker>

namespace {

constexpr int progressDelayMs = 300;  // the search for a deal shows its window after this

const QString seekingDeal = QStringLiteral("Looking for a deal that can be won...");

// A seed for a deal to try: the generator's own next numbers, 32 bits of them.
std::uint32_t drawnSeed()
{
    const auto high = std::uint32_t(Random::next());
    const auto middle = std::uint32_t(Random::next());
    const auto low = std::uint32_t(Random::next());
    return high << 17 ^ middle << 2 ^ low;
}

}  // namespace

// The table as it was, shown while deals are tried behind it, and taking every key
// and button meant for the table; Escape gives the search up.
class DealCurtain : public QWidget
{
public:
    // The picture is taken before the curtain exists, which would be in it otherwise.
    DealCurtain(QWidget *table, const QPixmap &tableAsItWas, std::function<void()> onEscape)
        : QWidget(table), picture(tableAsItWas), escape(std::move(onEscape))
    {
        setObjectName(QStringLiteral("DealCurtain"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        table->installEventFilter(this);
        setGeometry(table->rect());
        raise();
        show();
        setFocus();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), parentWidget()->palette().color(QPalette::Window));
        painter.drawPixmap(0, 0, picture);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return QWidget::eventFilter(watched, event);
    }
    bool event(QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ShortcutOverride:  // no shortcut of the table's either
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
        case QEvent::Wheel:
            event->accept();
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && escape)
                escape();
            event->accept();
            return true;
        default:
            return QWidget::event(event);
        }
    }

private:
    QPixmap picture;
    std::function<void()> escape;
};

QString SolverHelp::sectionName() const
{
    const QString options = window->windowSize().optionsSection;
    return options.isEmpty() ? window->windowSize().placementSection : options;
}

void SolverHelp::windowCreated()
{
    WinnableOnly1 = window->addCheckItem(QStringLiteral("WinnableOnly1"), QStringLiteral("Winnable Deals Only"));
    profile = new TProfile(QStringLiteral("Solitaire.ini"), sectionName(), QStringLiteral("None"), this);
    DoWinnableOnly = knowsGame() && profile->ReadBool(QStringLiteral("WinnableOnly"), false);
    WinnableOnly1->setChecked(DoWinnableOnly);
    WinnableOnly1->setEnabled(knowsGame());
    connect(WinnableOnly1, &QAction::triggered, this, [this] {
        if (GameWindow::dragUnderWay()) {
            WinnableOnly1->setChecked(DoWinnableOnly);
            return;
        }
        DoWinnableOnly = WinnableOnly1->isChecked();
        profile->WriteBool(QStringLiteral("WinnableOnly"), DoWinnableOnly);
    });
    if (DoWinnableOnly && window->MoveCount == window->dealMoves)
        beginSeek(true);
}

bool SolverHelp::seekWinnableDeal()
{
    if (!knowsGame() || !DoWinnableOnly)
        return false;
    beginSeek(false);
    return true;
}

// At a window's opening the deal already made is the first one tried; with the seed
// fixed it is that seed's, and the next deals are those of the seeds that follow.
void SolverHelp::beginSeek(bool atOpen)
{
    if (seek)
        endSeek();
    if (isSolving())
        stopSolving();
    cancelSearch();
    clearOutlines();
    hideNote();
    seek = Seek{atOpen, 0, std::nullopt};
    curtain = new DealCurtain(window, window->grab(), [this] { keepDeal(false); });
    progress = new QProgressDialog(window);
    progress->setObjectName(QStringLiteral("WinnableDealProgress"));
    progress->setWindowTitle(window->gameDescription().caption);
    progress->setLabelText(seekingDeal);
    progress->setCancelButtonText(QStringLiteral("Cancel"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setRange(0, 0);
    progress->setMinimumDuration(progressDelayMs);
    connect(progress, &QProgressDialog::canceled, this, [this] { keepDeal(false); });
    if (atOpen) {
        seek->tries = 1;
        startSearch(Purpose::Deal);
    } else {
        tryNextDeal();
    }
}

void SolverHelp::tryNextDeal()
{
    const std::optional<std::uint32_t> fixed = Random::fixedSeed();
    dealTentatively(fixed ? *fixed + std::uint32_t(seek->tries) : drawnSeed());
    ++seek->tries;
    if (progress)
        progress->setLabelText(seekingDeal + QStringLiteral("\nDeals tried: %1").arg(seek->tries));
    startSearch(Purpose::Deal);
}

// A deal tried is silent, and nothing outside hears of it.
void SolverHelp::dealTentatively(std::uint32_t seed)
{
    playing = true;
    {
        const QSignalBlocker quiet(window);
        Random::seed(seed);
        window->emptyAllPiles(true);
        window->Deal(true, true);
    }
    playing = false;
    seek->seed = seed;
}

// The deal found, or the last one tried when the player cancels, is dealt again from
// its seed as the window deals, with the animation and sounds of a new game.
void SolverHelp::keepDeal(bool winnable)
{
    if (!seek)
        return;
    const std::optional<std::uint32_t> seed = seek->seed;
    const bool atOpen = seek->atOpen;
    endSeek();
    if (seed) {
        playing = true;
        Random::seed(*seed);
        window->emptyAllPiles(true);
        window->Deal(atOpen, true);
        playing = false;
    }
    if (winnable)
        noteVerdict(Solver::Verdict::Winnable);
    Q_EMIT dealSought();
}

void SolverHelp::actionBegins()
{
    if (playing || !seek)
        return;
    const bool tried = seek->seed.has_value();
    endSeek();
    if (tried)
        Q_EMIT window->tableDealt();
    Q_EMIT dealSought();
}

// Something else changed the table, or the window closed: the search ends with the
// table as it is.
void SolverHelp::abandonSeek()
{
    endSeek();
    Q_EMIT dealSought();
}

void SolverHelp::endSeek()
{
    cancelSearch();
    seek.reset();
    if (curtain) {
        curtain->hide();
        curtain->deleteLater();
    }
    if (progress) {
        progress->hide();
        progress->deleteLater();
    }
    if (window->isActiveWindow())
        window->setFocus();
}
