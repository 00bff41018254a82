// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Rules.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Solver {

enum class Verdict { Winnable, Unwinnable, Unknown };
const char *verdictName(Verdict verdict);

// How much a search may spend: milliseconds of the searching thread's processor
// time (so that a busy machine gives the same verdicts, only later) and nodes (0: no
// limit), and a flag another thread may raise to stop it.
struct Limits {
    int budgetMs = 2000;
    std::int64_t maxNodes = 0;
    const std::atomic<bool> *cancel = nullptr;
};

struct Result {
    Verdict verdict = Verdict::Unknown;
    std::vector<std::string> line;  // the winning line, one move a step
    std::int64_t nodes = 0;
    double milliseconds = 0;  // processor time of the search
};

// The processor time the calling thread has used, in milliseconds.
double threadMilliseconds();

// The positions seen, by key, in bounded memory: a table of buckets of four keys
// each, stamped with the search they belong to, so that a new search starts at once
// without clearing. A full bucket gives up its oldest-looking key, never one on the
// current line of play, so the search cannot go round in circles.
class TranspositionTable
{
public:
    explicit TranspositionTable(int log2Entries = 22);
    void startSearch();
    enum Outcome { Seen, Added, Full };
    // Adds the key, marked as on the line of play.
    Outcome enter(std::uint64_t key);
    // The key is no longer on the line of play.
    void leave(std::uint64_t key);
    bool contains(std::uint64_t key);
    // The key is no longer known at all.
    void forget(std::uint64_t key);
    void prefetch(std::uint64_t key) const { __builtin_prefetch(&entries[(key & mask) & ~std::uint64_t(3)]); }
    std::size_t bytes() const { return entries.size() * sizeof(std::uint64_t); }

private:
    std::uint64_t *bucketOf(std::uint64_t key) { return &entries[(key & mask) & ~std::uint64_t(3)]; }
    bool isCurrent(std::uint64_t word) const { return (word & 0xFFFE) == std::uint64_t(generation) << 1; }
    std::vector<std::uint64_t> entries;
    std::uint64_t mask;
    std::uint32_t generation = 0;
};

// What one solving thread keeps from one search to the next.
struct Workspace {
    TranspositionTable seen;
};

// Restarts, for a game whose rules ask for them: `static constexpr std::int64_t
// restartNodes` in the rules class, the nodes of the shortest spell, and `int
// restartShuffle`, how much of value() the order of the moves may be shuffled by.
// A search that took a poor turn early may spend long below it; so it goes in
// spells of nodes (1, 1, 2, 1, 1, 2, 4, ... times the shortest: Luby's sequence),
// and each spell starts again from the top with the moves of each position in a
// slightly shuffled order. What a spell searched through stays known: a position left
// because every move from it led to a known one is known to be lost, as all those
// were, or led back to a position on the line of play, which is searched again.
// Only the positions on the line when the spell ran out are forgotten.
template <class Rules>
concept RestartingRules = requires { Rules::restartNodes, Rules::restartShuffle; };

inline std::int64_t lubySpell(std::int64_t index)
{
    std::int64_t size = 1, length = 1;  // the first `length` terms end with `size`
    while (length < index + 1) {
        length = 2 * length + 1;
        size *= 2;
    }
    while (length != index + 1) {
        length /= 2;
        size /= 2;
        if (index + 1 > length)
            index -= length;
    }
    return size;
}

// Depth-first search over any game's rules: the safe moves at once, moves that only
// swap interchangeable piles left out, every position once, and of the moves from a
// position the one whose outcome the game's rules value most first. The line of
// play is kept in a stack of its own, so that lines of any length fit.
template <class Rules>
class DepthFirstSearch
{
public:
    DepthFirstSearch(Rules &rules, const Limits &limits, Workspace &workspace)
        : rules(rules), limits(limits), workspace(workspace), seen(workspace.seen)
    {
    }

    Result run()
    {
        return rules.splitsFirstMoves() && limits.budgetMs > 0 ? runEachFirstMove() : plainRun();
    }

private:
    Result plainRun()
    {
        start = threadMilliseconds();
        seen.startSearch();
        playSafeMoves(false);
        seen.enter(rules.key());
        Result result;
        bool won = search();
        while (!won && !stopped && (spellOver || rules.widen())) {
            if (spellOver)
                startSpell();
            else
                startWider();
            won = search();
        }
        if (won) {
            shortenLine();
            result.verdict = Verdict::Winnable;
            for (const Move &move : line)
                rules.describe(move, result.line);
        } else {
            const bool proven = !stopped && !incomplete && rules.knowsEveryMove();
            result.verdict = proven ? Verdict::Unwinnable : Verdict::Unknown;
        }
        result.nodes = nodes;
        result.milliseconds = threadMilliseconds() - start;
        return result;
    }

    // Each first move is searched on its own, in rounds with a budget that doubles,
    // so that one whose search does not end leaves time for the others. Winnable when
    // one of them is, unwinnable when each of them is.
    Result runEachFirstMove()
    {
        start = threadMilliseconds();
        playSafeMoves(false);
        rootMark = line.size();
        std::vector<Move> firsts;
        rules.searchMoves(firsts);
        std::vector<char> settled(firsts.size(), 0);
        bool proven = true;
        for (double slice = std::max(1.0, limits.budgetMs / 32.0);; slice *= 2) {
            bool anyOpen = false;
            for (std::size_t i = 0; i < firsts.size(); ++i) {
                const double left = limits.budgetMs - (threadMilliseconds() - start);
                if (settled[i] || left <= 0 || stopped)
                    continue;
                bool ended = false;
                Result result = searchAfter(firsts[i], std::min(slice, left), ended);
                settled[i] = ended;
                if (result.verdict == Verdict::Winnable)
                    return finished(std::move(result));
                proven = proven && (!settled[i] || result.verdict == Verdict::Unwinnable);
                anyOpen = anyOpen || !settled[i];
            }
            const bool timeLeft = limits.budgetMs - (threadMilliseconds() - start) > 0 && !stopped;
            if (!anyOpen || !timeLeft) {
                Result result;
                result.verdict = !anyOpen && proven && rules.knowsEveryMove() ? Verdict::Unwinnable : Verdict::Unknown;
                return finished(std::move(result));
            }
        }
    }

    // The search after one first move with a budget of its own; `settled` when it
    // ended before the budget did.
    Result searchAfter(const Move &first, double budgetMs, bool &settled)
    {
        Limits part = limits;
        part.budgetMs = std::max(1, int(budgetMs));
        if (limits.maxNodes > 0)
            part.maxNodes = std::max<std::int64_t>(1, limits.maxNodes - nodes);
        play(first);
        DepthFirstSearch after(rules, part, workspace);
        Result result = after.plainRun();
        nodes += result.nodes;
        settled = !after.stopped;
        stopped = limits.cancel && limits.cancel->load(std::memory_order_relaxed);
        if (result.verdict == Verdict::Winnable) {  // the table stays where the line ends
            std::vector<std::string> steps;
            for (const Move &move : line)
                rules.describe(move, steps);
            result.line.insert(result.line.begin(), steps.begin(), steps.end());
            return result;
        }
        after.takeBack(0);
        takeBack(rootMark);
        return result;
    }

    Result finished(Result result)
    {
        result.nodes = nodes;
        result.milliseconds = threadMilliseconds() - start;
        return result;
    }

    struct Candidate {
        Move move;
        int value;
        std::uint64_t key;
        std::uint32_t betterEnd;  // its better positions' keys end here in `better`
    };
    // A position on the line of play: its key, where its moves begin in `line`, and
    // its moves still to try.
    struct Frame {
        std::uint64_t key = 0;
        std::size_t mark = 0;
        std::vector<Candidate> candidates;
        std::size_t next = 0;
    };

    bool search()
    {
        std::size_t depth = 0;
        open(depth, 0, line.size());
        while (true) {
            if (rules.isWon()) {
                reached = depth;
                return true;
            }
            if ((++nodes & 255) == 0 && overBudget())
                stopped = true;
            if (stopped)
                return false;
            if (nodes >= spellEnd) {
                spellOver = true;
                spellDepth = depth;
                return false;
            }
            Frame &frame = frames[depth];
            if (frame.next == frame.candidates.size()) {
                if (depth == 0)
                    return false;
                seen.leave(frame.key);
                takeBack(frame.mark);
                --depth;
                continue;
            }
            const std::size_t mark = line.size();
            play(frame.candidates[frame.next++].move);
            const std::uint64_t key = rules.key();
            const auto outcome = seen.enter(key);
            if (outcome == TranspositionTable::Added) {
                open(++depth, key, mark);
                continue;
            }
            incomplete = incomplete || outcome == TranspositionTable::Full;
            takeBack(mark);
        }
    }

    // The line found wanders: from each position it goes on to the position furthest
    // along it that one move reaches. Positions are compared by key, so the shorter
    // line may hold the piles of a group in another order; the moves are found anew
    // in each position.
    void shortenLine()
    {
        if (reached == 0)
            return;
        std::unordered_map<std::uint64_t, std::size_t> along;
        std::vector<std::size_t> marks;
        // marks[0]: where the root's own safe moves end; then where each step begins.
        for (std::size_t depth = 0; depth <= reached; ++depth)
            marks.push_back(frames[depth].mark);
        marks.push_back(line.size());
        const std::vector<Move> original = line;
        takeBack(marks[0]);
        along[rules.key()] = 0;
        for (std::size_t step = 1; step < marks.size(); ++step) {
            for (std::size_t i = marks[step - 1]; i < marks[step]; ++i) {
                Move move = original[i];
                rules.apply(move);
                line.push_back(move);
            }
            along[rules.key()] = step;
        }
        takeBack(marks[0]);
        std::size_t at = 0;
        const std::size_t last = marks.size() - 1;
        while (at < last) {
            rules.searchMoves(moves);
            const std::vector<Move> choices = moves;
            std::size_t best = at;
            Move bestMove;
            for (const Move &move : choices) {
                const std::size_t before = line.size();
                play(move);
                const auto found = along.find(rules.key());
                if (found != along.end() && found->second > best) {
                    best = found->second;
                    bestMove = move;
                }
                takeBack(before);
            }
            if (best == at) {  // cannot happen while keys tell positions apart
                line = original;
                return;
            }
            play(bestMove);
            at = best;
        }
    }

    // The moves from the position reached, best first; those to positions already
    // seen are left out at once.
    void open(std::size_t depth, std::uint64_t key, std::size_t mark)
    {
        if (frames.size() <= depth)
            frames.emplace_back();
        Frame &frame = frames[depth];
        frame.key = key;
        frame.mark = mark;
        frame.next = 0;
        frame.candidates.clear();
        better.clear();
        rules.searchMoves(moves);
        for (const Move &move : moves) {
            if (onlySwapsPiles(move))
                continue;
            const std::size_t before = line.size();
            play(move);
            const std::uint64_t childKey = rules.key();
            seen.prefetch(childKey);
            noteBetterKeys();
            frame.candidates.push_back({move, rules.value(), childKey, std::uint32_t(better.size())});
            takeBack(before);
        }
        // Looked up once every key's bucket is on its way from memory.
        std::size_t kept = 0;
        std::uint32_t betterBegin = 0;
        for (const Candidate &each : frame.candidates) {
            if (!seen.contains(each.key) && !anySeen(betterBegin, each.betterEnd))
                frame.candidates[kept++] = each;
            betterBegin = each.betterEnd;
        }
        frame.candidates.resize(kept);
        if (spell > 0)
            shuffleSlightly(frame.candidates, key);
        sortByValue(frame.candidates);
    }

    // Best first, equals in the order listed. Most positions have a handful of moves,
    // too few to be worth std::stable_sort's buffer.
    static void sortByValue(std::vector<Candidate> &candidates)
    {
        const auto better = [](const Candidate &a, const Candidate &b) { return a.value > b.value; };
        if (candidates.size() > 16) {
            std::stable_sort(candidates.begin(), candidates.end(), better);
            return;
        }
        for (std::size_t i = 1; i < candidates.size(); ++i) {
            const Candidate each = candidates[i];
            std::size_t at = i;
            for (; at > 0 && better(each, candidates[at - 1]); --at)
                candidates[at] = candidates[at - 1];
            candidates[at] = each;
        }
    }

    // The keys of the positions at least as good as the one reached, added to
    // `better` and on their way from memory: once one of them has been seen, there
    // is nothing to find from here that it does not find.
    void noteBetterKeys()
    {
        rules.betterKeys(betterOfOne);
        for (std::uint64_t key : betterOfOne) {
            seen.prefetch(key);
            better.push_back(key);
        }
    }

    bool anySeen(std::uint32_t begin, std::uint32_t end)
    {
        return std::any_of(better.begin() + begin, better.begin() + end, [this](std::uint64_t key) { return seen.contains(key); });
    }

    void play(Move move)
    {
        rules.apply(move);
        line.push_back(move);
        playSafeMoves();
    }

    // What the window does by itself after a move of the player's (not after the
    // deal), then the safe moves, each of which the window may follow up again.
    void playSafeMoves(bool afterMove = true)
    {
        Move move;
        while ((afterMove && rules.windowMove(move)) || rules.safeMove(move)) {
            rules.apply(move);
            line.push_back(move);
            afterMove = true;
        }
    }

    void takeBack(std::size_t mark)
    {
        while (line.size() > mark) {
            rules.undo(line.back());
            line.pop_back();
        }
    }

    // A drag onto an empty pile when an earlier pile of its group is empty too, or of
    // a whole pile onto an empty one of its group: the same position again.
    bool onlySwapsPiles(const Move &move) const
    {
        if (move.kind != Move::Drag || !rules.table.isEmpty(move.to))
            return false;
        const Table &table = rules.table;
        const int group = table.groupOf(move.to);
        if (table.groupOf(move.from) == group && table.size(move.from) == move.count)
            return true;
        for (int pile = 0; pile < move.to; ++pile)
            if (pile != move.from && table.groupOf(pile) == group && table.isEmpty(pile))
                return true;
        return false;
    }

    // ---- spells ----

    void startSpell()
    {
        for (std::size_t depth = spellDepth; depth >= 1; --depth)
            seen.forget(frames[depth].key);
        takeBack(frames[0].mark);
        spellOver = false;
        ++spell;
        spellEnd = nodes + lubySpell(spell) * spellNodes();
    }

    // The search of the moves that seldom help left out found no win: all is
    // searched again with every move, forgetting what the narrower search knew.
    void startWider()
    {
        seen.startSearch();
        seen.enter(rules.key());
        incomplete = false;
    }

    static constexpr std::int64_t spellNodes()
    {
        if constexpr (RestartingRules<Rules>)
            return Rules::restartNodes;
        return 0;
    }

    // Each value gains up to the rules' `restartShuffle`, by the position and the spell.
    void shuffleSlightly(std::vector<Candidate> &candidates, std::uint64_t key) const
    {
        if constexpr (RestartingRules<Rules>)
            for (std::size_t i = 0; i < candidates.size(); ++i)
                candidates[i].value += int(Table::mix(key + std::uint64_t(spell) * 0x9E3779B9ull + i)
                                           % std::uint64_t(Rules::restartShuffle + 1));
    }

    bool overBudget() const
    {
        if (limits.cancel && limits.cancel->load(std::memory_order_relaxed))
            return true;
        if (limits.maxNodes > 0 && nodes >= limits.maxNodes)
            return true;
        return limits.budgetMs > 0 && threadMilliseconds() - start >= limits.budgetMs;
    }

    Rules &rules;
    const Limits &limits;
    Workspace &workspace;
    TranspositionTable &seen;
    std::vector<Move> line;
    std::vector<Move> moves;
    std::vector<std::uint64_t> better, betterOfOne;
    std::vector<Frame> frames;
    double start = 0;
    std::int64_t nodes = 0;
    std::size_t reached = 0;
    std::size_t rootMark = 0;
    bool stopped = false;
    bool incomplete = false;
    std::int64_t spell = 0;
    std::int64_t spellEnd = spellNodes() > 0 ? spellNodes() : std::numeric_limits<std::int64_t>::max();
    std::size_t spellDepth = 0;
    bool spellOver = false;
};

}  // namespace Solver
