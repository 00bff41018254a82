// SPDX-License-Identifier: MIT
// The games the solver knows, and solving one position.
#include "solver/Solver.h"

#include "solver/games/CastleRules.h"
#include "solver/games/CellRules.h"
#include "solver/games/FortyThievesRules.h"
#include "solver/games/GolfRules.h"
#include "solver/games/IndianPatienceRules.h"
#include "solver/games/KlondikeRules.h"
#include "solver/games/MontanaRules.h"
#include "solver/games/PyramidRules.h"
#include "solver/games/QueenItalyRules.h"
#include "solver/games/SpiderRules.h"

#include <algorithm>
#include <cctype>

namespace Solver {

namespace {

template <class Rules>
std::unique_ptr<GameRules> make()
{
    return std::make_unique<Rules>();
}

template <class Rules>
Result searchWith(GameRules &rules, const Limits &limits, Workspace &workspace)
{
    return DepthFirstSearch<Rules>(static_cast<Rules &>(rules), limits, workspace).run();
}

template <class Rules>
GameInfo entry(const char *name, const char *caption, std::vector<OptionInfo> options = {})
{
    return GameInfo{name, caption, std::move(options), &make<Rules>, &searchWith<Rules>};
}

const OptionInfo autoplay{"Autoplay", false, "Autoplay1"};
const OptionInfo drawThree{"DrawThree", true, "DrawThree1", "DrawOne1"};

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}  // namespace

const std::vector<GameInfo> &games()
{
    static const std::vector<GameInfo> list = {
        entry<CastleRules>("Beleaguered Castle", "Beleaguered Castle", {autoplay}),
        entry<DoubleKlondikeRules>("Double Klondike", "Double Klondike", {drawThree, autoplay}),
        entry<FortyThievesRules>("Forty Thieves", "Forty Thieves", {autoplay}),
        entry<FreeCellRules>("Free Cell", "FreeCell", {autoplay}),
        entry<GolfRules>("Golf", "Golf", {{"KingStopsSequence", true, "KingStopsSequence1"}}),
        entry<IndianPatienceRules>("Indian Patience", "Indian Patience", {autoplay}),
        entry<KlondikeGameRules>("Klondike", "Klondike", {drawThree, autoplay}),
        entry<MontanaRules>("Montana", "Montana"),
        entry<PyramidRules>("Pyramid", "Pyramid"),
        entry<QueenItalyRules>("Queen of Italy", "Queen of Italy", {autoplay}),
        entry<SeaTowersRules>("Sea Towers", "Sea Towers", {autoplay}),
        entry<SpiderRules>("Spider", "Spider", {{"SameSuitBuilds", false, "SameSuitBuilds1"}}),
    };
    return list;
}

const GameInfo *findGame(const std::string &name)
{
    for (const GameInfo &game : games())
        if (lowered(game.name) == lowered(name) || lowered(game.caption) == lowered(name))
            return &game;
    return nullptr;
}

bool parseOptionValue(const std::string &text, bool &value)
{
    const std::string word = lowered(text);
    if (word == "true" || word == "1" || word == "on")
        value = true;
    else if (word == "false" || word == "0" || word == "off")
        value = false;
    else
        return false;
    return true;
}

bool completeOptions(const GameInfo &game, const Options &given, Options &complete, std::string &error)
{
    complete.clear();
    for (const OptionInfo &option : game.options)
        complete[option.key] = option.defaultValue;
    for (const auto &[key, value] : given) {
        if (!complete.count(key)) {
            error = game.name + " has no option " + key;
            return false;
        }
        complete[key] = value;
    }
    return true;
}

Result solve(const GameInfo &game, const TableText &position, const Options &options, const Limits &limits,
             std::string *error)
{
    std::string reason;
    Options complete;
    const std::unique_ptr<GameRules> rules = game.make();
    if (!completeOptions(game, options, complete, reason) || !rules->load(position, complete, reason)) {
        if (error)
            *error = reason;
        return {};
    }
    return game.search(*rules, limits, threadWorkspace());
}

Workspace &threadWorkspace()
{
    thread_local std::unique_ptr<Workspace> workspace;
    if (!workspace)
        workspace = std::make_unique<Workspace>();
    return *workspace;
}

}  // namespace Solver
