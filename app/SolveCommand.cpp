// SPDX-License-Identifier: MIT
// `cardenza --solve`: the first deals of a game, each dealt by the game's own window
// as `--seed` deals it, solved on every core.
#include "app/AppCommands.h"
#include "app/HeadlessSession.h"
#include "games/GameRegistry.h"
#include "games/SolverPosition.h"
#include "platform/Random.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

struct Deal {
    std::uint32_t seed = 0;
    Solver::TableText table;
    std::optional<Solver::Result> result;
    std::string error;
};

// Deals wait here for a solving thread; the results come back in the same place.
class DealQueue
{
public:
    explicit DealQueue(std::vector<Deal> &deals) : deals(deals) {}

    void offer(std::size_t index)
    {
        const std::lock_guard lock(mutex);
        waiting.push_back(index);
        changed.notify_all();
    }
    void close()
    {
        const std::lock_guard lock(mutex);
        closed = true;
        changed.notify_all();
    }
    std::optional<std::size_t> take()
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return closed || !waiting.empty(); });
        if (waiting.empty())
            return std::nullopt;
        const std::size_t index = waiting.front();
        waiting.pop_front();
        return index;
    }
    void done(std::size_t index, Solver::Result result, std::string error)
    {
        const std::lock_guard lock(mutex);
        deals[index].result = std::move(result);
        deals[index].error = std::move(error);
        changed.notify_all();
    }
    bool isDone(std::size_t index, bool wait)
    {
        std::unique_lock lock(mutex);
        if (wait)
            changed.wait(lock, [&] { return deals[index].result.has_value(); });
        return deals[index].result.has_value();
    }

private:
    std::vector<Deal> &deals;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::size_t> waiting;
    bool closed = false;
};

struct Summary {
    int winnable = 0, unwinnable = 0, unknown = 0;
    std::vector<double> times;
};

double percentile(std::vector<double> times, double fraction)
{
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    const auto index = std::size_t(std::ceil(fraction * double(times.size()))) - 1;
    return times[std::min(index, times.size() - 1)];
}

void printDeal(const Deal &deal, bool withLine, Summary &summary)
{
    const Solver::Result &result = *deal.result;
    const Solver::Verdict verdict = result.verdict;
    const std::string moves = verdict == Solver::Verdict::Winnable ? std::to_string(result.line.size()) : "-";
    std::printf("%u %s %.0f %s\n", deal.seed, Solver::verdictName(verdict), result.milliseconds, moves.c_str());
    if (!deal.error.empty())
        std::fprintf(stderr, "seed %u: %s\n", deal.seed, deal.error.c_str());
    if (withLine)
        for (const std::string &step : result.line)
            std::printf("%s\n", step.c_str());
    std::fflush(stdout);
    (verdict == Solver::Verdict::Winnable ? summary.winnable
     : verdict == Solver::Verdict::Unwinnable ? summary.unwinnable
                                              : summary.unknown)++;
    summary.times.push_back(result.milliseconds);
}

void printSummary(const QString &gameName, const Summary &summary)
{
    const double deals = double(summary.times.size());
    const double share = summary.winnable / deals;
    const double halfWidth = 1.96 * std::sqrt(share * (1 - share) / deals);
    std::printf("summary game=\"%s\" deals=%d winnable=%d unwinnable=%d unknown=%d winnable_pct=%.2f ci95=%.2f"
                " median_ms=%.1f p99_ms=%.1f\n",
                qPrintable(gameName), int(deals), summary.winnable, summary.unwinnable, summary.unknown,
                100 * share, 100 * halfWidth, percentile(summary.times, 0.5), percentile(summary.times, 0.99));
}

// "KEY=VALUE" by the game's settings keys; a complaint when one is not the game's.
std::optional<Solver::Options> readOptions(const Solver::GameInfo &game, const QStringList &texts)
{
    Solver::Options options;
    for (const QString &text : texts) {
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        const std::string key = text.left(equals).toStdString();
        bool value = false;
        Solver::Options complete;
        std::string complaint;
        if (equals < 0 || !Solver::completeOptions(game, {{key, false}}, complete, complaint)) {
            std::fprintf(stderr, "%s has no option \"%s\".\n", game.name.c_str(), qPrintable(text.left(equals)));
            return std::nullopt;
        }
        if (!Solver::parseOptionValue(text.mid(equals + 1).toStdString(), value)) {
            std::fprintf(stderr, "The option %s takes True or False, not \"%s\".\n", key.c_str(),
                         qPrintable(text.mid(equals + 1)));
            return std::nullopt;
        }
        options[key] = value;
    }
    return options;
}

// The game's window deals exactly as `--seed` makes it deal, with the options set
// through its menu.
Solver::TableText dealOf(const RegisteredGame &game, std::uint32_t seed, const Solver::Options &options)
{
    Random::fixSeed(seed);
    const std::unique_ptr<GameWindow> window(game.createLarge());
    for (const auto &[key, value] : options)
        SolverPosition::setOption(window.get(), key, value);
    return SolverPosition::of(window.get()).table;
}

}  // namespace

namespace AppCommands {

int solve(const QString &gameName, std::uint32_t firstSeed, const CommandLine::SolveRequest &request)
{
    const RegisteredGame *game = GameRegistry::find(gameName);
    const Solver::GameInfo *rules = Solver::findGame(gameName.toStdString());
    if (!game || !rules) {
        std::fprintf(stderr, game ? "The solver does not know \"%s\" yet.\n" : "No game is called \"%s\".\n",
                     qPrintable(gameName));
        return 2;
    }
    const std::optional<Solver::Options> options = readOptions(*rules, request.options);
    if (!options)
        return 2;
    const HeadlessSession session;
    if (!session.ready())
        return session.refuse();
    TCard::SetCardSize(FS_LARGE);

    std::vector<Deal> deals(std::size_t(request.deals));
    DealQueue queue(deals);
    const Solver::Limits limits{request.budgetMs, 0, nullptr};
    const int jobs = request.jobs > 0 ? request.jobs : int(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (int i = 0; i < jobs; ++i)
        threads.emplace_back([&] {
            while (const std::optional<std::size_t> index = queue.take()) {
                std::string error;
                Solver::Result result = Solver::solve(*rules, deals[*index].table, *options, limits, &error);
                queue.done(*index, std::move(result), std::move(error));
            }
        });

    Summary summary;
    std::size_t printed = 0;
    for (std::size_t i = 0; i < deals.size(); ++i) {
        deals[i].seed = firstSeed + std::uint32_t(i);
        deals[i].table = dealOf(*game, deals[i].seed, *options);
        queue.offer(i);
        while (printed < i && queue.isDone(printed, false))
            printDeal(deals[printed++], request.line, summary);
    }
    queue.close();
    while (printed < deals.size()) {
        queue.isDone(printed, true);
        printDeal(deals[printed++], request.line, summary);
    }
    for (std::thread &thread : threads)
        thread.join();
    printSummary(game->name, summary);
    return 0;
}

}  // namespace AppCommands
