// SPDX-License-Identifier: MIT
#pragma once
// What the solver tests share: one data row per game and option set the solver
// knows, a window of that game dealt with a seed and set to the options, and a
// player's hand that plays a solver's line on the window with real mouse events.
#include "../games/GameTestKit.h"

#include "games/SolverPosition.h"

#include <QTest>
#include <memory>

// The option sets each game is tried with: every combination of its options.
inline void AddRowPerGameAndOptions()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QStringList>("options");
    for (const Solver::GameInfo &game : Solver::games()) {
        const int sets = 1 << game.options.size();
        for (int set = 0; set < sets; ++set) {
            QStringList options;
            for (std::size_t i = 0; i < game.options.size(); ++i)
                options << QString::fromStdString(game.options[i].key)
                               + ((set >> i & 1) ? QStringLiteral("=False") : QStringLiteral("=True"));
            const QString tag = QString::fromStdString(game.name) + QLatin1Char('/') + options.join(QLatin1Char(','));
            QTest::newRow(qPrintable(tag)) << QString::fromStdString(game.name) << options;
        }
    }
}

// The game's window dealt with the seed, set to "KEY=VALUE" options through its menu.
inline std::unique_ptr<GameWindow> DealWithOptions(const QString &game, quint32 seed, const QStringList &options)
{
    Random::fixSeed(seed);
    std::unique_ptr<GameWindow> window(GameRegistry::find(game)->createLarge());
    for (const QString &option : options) {
        bool value = false;
        Solver::parseOptionValue(option.section(QLatin1Char('='), 1).toStdString(), value);
        SolverPosition::setOption(window.get(), option.section(QLatin1Char('='), 0, 0).toStdString(), value);
    }
    window->show();
    return window;
}

// How many seeds a test goes through: CARDENZA_SOLVER_SEEDS, or the default.
inline int SolverSeeds(int byDefault)
{
    const int seeds = qEnvironmentVariableIntValue("CARDENZA_SOLVER_SEEDS");
    return seeds > 0 ? seeds : byDefault;
}

// The window's position as the solver sees it: its table and its counters.
inline QString PositionText(const GameWindow *window)
{
    QString text = window->dealText();
    for (const auto &[name, value] : SolverPosition::of(window).table.counters)
        text += QStringLiteral("\n%1=%2").arg(QString::fromStdString(name)).arg(value);
    return text;
}

// Where a press on the view plays: its top card, or its middle when it is empty.
inline QPoint PressPoint(const TCardPileView *view)
{
    return view->Cards->IsEmpty() ? view->rect().center() : TopCardPoint(view);
}

// Makes the window tall enough for the view to show all its cards, as a player
// enlarges it to reach a long column's top card.
inline void ShowWholeView(GameWindow *window, const TCardPileView *view)
{
    const int overflow = view->CardRectAt(qMax(0, view->Cards->Count() - 1)).bottom() + 1 - view->height();
    if (overflow > 0)
        window->resize(window->width(), window->height() + overflow);
}

// Plays one step of a line ("FROMVIEW -> TOVIEW xN", "click VIEW") with the mouse:
// presses the card N from the top and drags it over the target, or clicks the view
// (on its top card: a press that plays). Returns what went wrong, or nothing when
// the window took the step.
inline QString PlayStep(GameWindow *window, const QString &step)
{
    const QStringList words = step.split(QLatin1Char(' '));
    if (words.size() == 2 && words[0] == QLatin1String("click")) {
        TCardPileView *view = window->viewNamed(words[1]);
        if (!view)
            return QStringLiteral("no view ") + words[1];
        const QString before = PositionText(window);
        QTest::mouseClick(view, Qt::LeftButton, {}, PressPoint(view));
        return PositionText(window) == before ? QStringLiteral("the click changed nothing") : QString();
    }
    TCardPileView *from = words.size() == 4 ? window->viewNamed(words[0]) : nullptr;
    TCardPileView *to = from ? window->viewNamed(words[2]) : nullptr;
    const int count = words.value(3).mid(1).toInt();
    if (!to || count < 1 || count > from->Cards->Count())
        return QStringLiteral("cannot read the step");
    // The cards may go on home at once (Autoplay); the move counts all the same.
    const int movesBefore = window->MoveCount;
    ShowWholeView(window, from);
    ShowWholeView(window, to);
    const QPoint over = to->Cards->IsEmpty() ? to->rect().center() : TopCardPoint(to);
    DragWithMouse(from, CardPoint(from, from->Cards->Count() - count), to, over);
    if (window->MoveCount == movesBefore)
        return QStringLiteral("the window did not take it");
    return {};
}
