#!/usr/bin/env python3
# Finds a winning line for a deal printed by `cardenza --print-deal GAME --seed N` and
# prints it one move a line, as tst_keyboard plays it by keys: "FROMVIEW -> TOVIEW xN"
# (N cards from the top of FROMVIEW), or "click VIEW" for a press that plays. Games:
# Free Cell, Sea Towers and Beleaguered Castle (one card at a time), Golf, Pyramid,
# Klondike and Double Klondike (drawing three), Spider (any-suit runs). The printed
# deal names face-down cards too, so the search knows them; the line is played as any
# player would play it. Autoplay is off, as in a new settings file.
#   find_line.py GAME < deal.txt > keywins/GAME.txt   (then add "seed N" on top)
import heapq
import itertools
import sys

RANKS = "A23456789TJQK"
SUITS = "CSDH"


def parse(text):
    piles = {}
    order = []
    for line in text.splitlines():
        if ":" not in line:
            continue
        name, cards = line.split(":", 1)
        piles[name] = tuple((RANKS.index(c[0].upper()), SUITS.index(c[1].upper())) for c in cards.split())
        order.append(name)
    return piles, order


def red(card):
    return card[1] >= 2


class Game:
    def __init__(self, kind, piles, order):
        self.kind = kind
        self.columns = [n for n in order if "Tableau" in n]
        self.cells = [n for n in order if n.startswith("FreePile")]
        self.homes = [n for n in order if n.startswith("Found")]
        self.start = (tuple(piles[n] for n in self.columns), tuple(piles[n] for n in self.cells),
                      tuple(piles[n] for n in self.homes))

    def fits_column(self, card, column):
        if not column:
            return self.kind != "Sea Towers" or card[0] == 12
        top = column[-1]
        if self.kind == "Free Cell":
            return top[0] == card[0] + 1 and red(top) != red(card)
        if self.kind == "Sea Towers":
            return top[0] == card[0] + 1 and top[1] == card[1]
        return top[0] == card[0] + 1

    @staticmethod
    def fits_home(card, home):
        return (not home and card[0] == 0) or (home and home[-1][1] == card[1] and home[-1][0] + 1 == card[0])

    def moves(self, state):
        columns, cells, homes = state
        sources = [("c", i, col[-1]) for i, col in enumerate(columns) if col]
        sources += [("f", i, cell[-1]) for i, cell in enumerate(cells) if cell]
        for kind, i, card in sources:
            for h, home in enumerate(homes):
                if self.fits_home(card, home):
                    yield (kind, i), ("h", h)
                    break
        for kind, i, card in sources:
            empty_done = False
            for j, col in enumerate(columns):
                if kind == "c" and j == i:
                    continue
                if not col:
                    if empty_done or (kind == "c" and len(columns[i]) == 1):
                        continue
                    empty_done = True
                if self.fits_column(card, col):
                    yield (kind, i), ("c", j)
        for i, col in enumerate(columns):
            if col:
                for j, cell in enumerate(cells):
                    if not cell:
                        yield ("c", i), ("f", j)
                        break

    @staticmethod
    def apply(state, move):
        piles = [list(map(list, group)) for group in state]
        (sk, si), (tk, ti) = move
        group = {"c": 0, "f": 1, "h": 2}
        card = piles[group[sk]][si].pop()
        piles[group[tk]][ti].append(card)
        return tuple(tuple(tuple(p) for p in g) for g in piles)

    def name(self, place):
        kind, i = place
        return {"c": self.columns, "f": self.cells, "h": self.homes}[kind][i]

    @staticmethod
    def key(state):
        columns, cells, homes = state
        return (tuple(sorted(columns)), tuple(sorted(cells)), tuple(len(h) for h in homes))

    @staticmethod
    def score(state):
        columns, cells, homes = state
        home = sum(len(h) for h in homes)
        # Cards lying above a lower card of their suit must move before it can go home.
        buried = 0
        for col in columns:
            lowest = 99
            for card in col:
                if card[0] > lowest:
                    buried += 1
                lowest = min(lowest, card[0])
        used = sum(1 for c in cells if c)
        empty = sum(1 for c in columns if not c)
        return -home * 6 + buried * 3 + used * 2 - empty * 3

    def solve(self, limit=400000):
        counter = itertools.count()
        frontier = [(self.score(self.start), next(counter), self.start, None)]
        parents = {self.key(self.start): None}
        while frontier and len(parents) < limit:
            _, _, state, _ = heapq.heappop(frontier)
            if sum(len(h) for h in state[2]) == 52:
                return self.path(state, parents)
            for move in self.moves(state):
                nxt = self.apply(state, move)
                k = self.key(nxt)
                if k in parents:
                    continue
                parents[k] = (self.key(state), move)
                heapq.heappush(frontier, (self.score(nxt), next(counter), nxt, move))
        return None

    def path(self, state, parents):
        lines = []
        k = self.key(state)
        while parents[k] is not None:
            parent_key, move = parents[k]
            lines.append(move)
            k = parent_key
        lines.reverse()
        return ["%s -> %s x1" % (self.name(move[0]), self.name(move[1])) for move in lines]


class Golf:
    """A press plays a column's top card one above or below the discard pile's top, no
    wrapping; nothing goes on a King (the option's default). Every card of the stock
    must be turned as well for the score to reach 52."""

    def __init__(self, piles, order):
        self.columns = [n for n in order if "Tableau" in n]
        self.cards = [piles[n] for n in self.columns]
        self.stock = list(piles["DeckPileView"])  # the top card last
        self.start = piles["DiscardPileView"][-1]

    @staticmethod
    def plays(card, top):
        if top[0] == 12:
            return False
        if top[0] == 0:
            return card[0] == 1
        return abs(card[0] - top[0]) == 1

    def solve(self):
        seen = set()
        stock = self.stock

        def search(heights, turned, top):
            if not any(heights):
                return ["click DeckPileView"] * (len(stock) - turned)
            key = (heights, turned, top)
            if key in seen:
                return None
            seen.add(key)
            for i, height in enumerate(heights):
                if height and self.plays(self.cards[i][height - 1], top):
                    rest = search(heights[:i] + (height - 1,) + heights[i + 1:], turned, self.cards[i][height - 1])
                    if rest is not None:
                        return ["click %s" % self.columns[i]] + rest
            if turned < len(stock):
                rest = search(heights, turned + 1, stock[len(stock) - 1 - turned])
                if rest is not None:
                    return ["click DeckPileView"] + rest
            return None
        sys.setrecursionlimit(10000)
        return search(tuple(len(c) for c in self.cards), 0, self.start)


class Pyramid:
    """Two free cards that make 13 (a King alone) go to the discard pile: pyramid cards
    whose two covering cards are gone, the play card, the waste's top card, and the card
    beneath it. A stock click moves the play card to the waste and turns the next; an
    empty stock takes the waste back for the second and the third pass."""

    ROWS, PASSES = 7, 3

    def __init__(self, piles, order):
        self.places = [piles["CardPileView%d" % (i + 1)][0] for i in range(28)]
        self.stock = tuple(piles["DeckPileView"])
        self.covers = []
        i = 0
        for row in range(1, self.ROWS + 1):
            for _ in range(row):
                self.covers.append((i + row, i + row + 1) if row < self.ROWS else ())
                i += 1

    def free(self, gone):
        return [i for i in range(28) if not gone >> i & 1 and all(gone >> c & 1 for c in self.covers[i])]

    def solve(self, limit=2000000):
        seen = set()
        sys.setrecursionlimit(100000)
        budget = [limit]

        def search(gone, stock, play, waste, passes):
            if gone == (1 << 28) - 1 and not stock and play is None and not waste:
                return []
            key = (gone, stock, play, waste, passes)
            if key in seen or budget[0] <= 0:
                return None
            seen.add(key)
            budget[0] -= 1
            # Open cards: (view, card, new state after it leaves)
            opened = [("CardPileView%d" % (i + 1), self.places[i], ("place", i)) for i in self.free(gone)]
            if play is not None:
                opened.append(("PlayPileView", play, ("play",)))
            if waste:
                opened.append(("WastePileView", waste[-1], ("waste",)))

            def without(state, taken):
                g, st, pl, wa = state
                for what in taken:
                    if what[0] == "place":
                        g |= 1 << what[1]
                    elif what[0] == "play":
                        pl = None
                    else:
                        wa = wa[:-1]
                return g, st, pl, wa
            state = (gone, stock, play, waste)
            for view, card, where in opened:
                if card[0] == 12:
                    rest = search(*without(state, [where]), passes)
                    if rest is not None:
                        return ["%s -> DiscardPileView x1" % view] + rest
            for a in range(len(opened)):
                for b in range(len(opened)):
                    if a != b and opened[a][1][0] + opened[b][1][0] == 11:
                        if opened[a][2][0] == "waste" and opened[b][2][0] == "waste":
                            continue
                        rest = search(*without(state, [opened[a][2], opened[b][2]]), passes)
                        if rest is not None:
                            return ["%s -> %s x1" % (opened[a][0], opened[b][0])] + rest
            if len(waste) >= 2 and waste[-1][0] + waste[-2][0] == 11:
                rest = search(gone, stock, play, waste[:-2], passes)
                if rest is not None:
                    return ["WastePileView -> WastePileView x1"] + rest
            # The stock's click.
            nw = waste + ((play,) if play is not None else ())
            ns, np_ = stock, None
            if not ns:
                if passes == self.PASSES:
                    if play is None:
                        return None
                    rest = search(gone, ns, None, nw, passes)
                    return None if rest is None else ["click DeckPileView"] + rest
                ns, nw, passes = tuple(reversed(nw)), (), passes + 1
            if ns:
                ns, np_ = ns[:-1], ns[-1]
            rest = search(gone, ns, np_, nw, passes)
            return None if rest is None else ["click DeckPileView"] + rest
        return search(0, self.stock, None, (), 1)


class Klondike:
    """Klondike and Double Klondike, drawing three, the stock rebuilt without limit. The
    printed deal names the face-down cards too, so the search knows them; the line it
    finds is played as any player would, the face-down cards turning up as they are
    uncovered. Columns build down in alternating colours, a King fills an empty column;
    a face-up run moves as a whole."""

    def __init__(self, piles, order, text):
        self.columns = [n for n in order if "Tableau" in n]
        self.homes = [n for n in order if n.startswith("Foundation") or n.startswith("FoundPile")]
        self.waste_name = "DiscardPileView"
        down = {}
        for line in text.splitlines():
            name, _, cards = line.partition(":")
            down[name] = sum(1 for c in cards.split() if c[0].islower() or c[1].islower())
        columns = tuple((piles[n], down[n]) for n in self.columns)
        self.start = (columns, tuple(piles["DeckPileView"]), (), tuple(() for _ in self.homes))

    @staticmethod
    def key(state):
        columns, stock, waste, homes = state
        return (tuple(sorted(columns)), stock, waste, tuple(sorted(h[-1] if h else (-1, -1) for h in homes)))

    @staticmethod
    def score(state):
        columns, stock, waste, homes = state
        return -sum(len(h) for h in homes) * 10 + sum(d for _, d in columns) * 6 + len(stock) + len(waste)

    @staticmethod
    def fits(card, column):
        cards, _ = column
        if not cards:
            return card[0] == 12
        top = cards[-1]
        return top[0] == card[0] + 1 and red(top) != red(card)

    def moves(self, state):
        columns, stock, waste, homes = state
        def home_for(card):
            for h, home in enumerate(homes):
                if Game.fits_home(card, home):
                    return h
            return None

        def with_columns(changes):
            cols = list(columns)
            for i, col in changes:
                cards, down = col
                down = min(down, len(cards) - 1) if cards else 0  # the uncovered card turns up
                cols[i] = (cards, down)
            return tuple(cols)

        def with_home(h, card):
            return homes[:h] + (homes[h] + (card,),) + homes[h + 1:]
        result = []
        if waste:
            card = waste[-1]
            h = home_for(card)
            if h is not None:
                result.append(("%s -> %s x1" % (self.waste_name, self.homes[h]),
                               (columns, stock, waste[:-1], with_home(h, card))))
        for i, (cards, down) in enumerate(columns):
            if cards:
                h = home_for(cards[-1])
                if h is not None:
                    result.append(("%s -> %s x1" % (self.columns[i], self.homes[h]),
                                   (with_columns([(i, (cards[:-1], down))]), stock, waste, with_home(h, cards[-1]))))
        for i, (cards, down) in enumerate(columns):
            for start in range(down, len(cards)):
                if any(cards[k][0] != cards[k + 1][0] + 1 or red(cards[k]) == red(cards[k + 1])
                       for k in range(start, len(cards) - 1)):
                    continue
                run = cards[start:]
                for j, target in enumerate(columns):
                    if j == i or not self.fits(run[0], target):
                        continue
                    if not target[0] and start == 0:
                        continue  # a King from one empty place to another
                    result.append(("%s -> %s x%d" % (self.columns[i], self.columns[j], len(run)),
                                   (with_columns([(i, (cards[:start], down)), (j, (target[0] + run, target[1]))]),
                                    stock, waste, homes)))
                    if not target[0]:
                        break
        if waste:
            card = waste[-1]
            for j, target in enumerate(columns):
                if self.fits(card, target):
                    result.append(("%s -> %s x1" % (self.waste_name, self.columns[j]),
                                   (with_columns([(j, (target[0] + (card,), target[1]))]), stock, waste[:-1], homes)))
        if stock or waste:
            ns, nw = stock, waste
            if not ns:
                ns, nw = tuple(reversed(nw)), ()
            drawn = tuple(reversed(ns[-3:]))
            result.append(("click DeckPileView", (columns, ns[:-3] if len(ns) > 3 else (), nw + drawn, homes)))
        return result

    def solve(self, limit=600000):
        counter = itertools.count()
        total = sum(len(cards) for cards, _ in self.start[0]) + len(self.start[1])
        frontier = [(self.score(self.start), next(counter), self.start)]
        parents = {self.key(self.start): None}
        while frontier and len(parents) < limit:
            _, _, state = heapq.heappop(frontier)
            if sum(len(h) for h in state[3]) == total:
                lines, k = [], self.key(state)
                while parents[k] is not None:
                    k, line = parents[k]
                    lines.append(line)
                return lines[::-1]
            for line, nxt in self.moves(state):
                k = self.key(nxt)
                if k not in parents:
                    parents[k] = (self.key(state), line)
                    heapq.heappush(frontier, (self.score(nxt), next(counter), nxt))
        return None


class Spider(Klondike):
    """Two decks; a face-up run going down (in any suit, the option's default) moves as a
    whole; any run fills an empty column; a whole suit from King to Ace goes to an empty
    foundation; the stock deals a card onto every column while none is empty."""

    @staticmethod
    def score(state):
        columns, stock, waste, homes = state
        home = sum(len(h) for h in homes)
        broken = sum(1 for cards, down in columns for k in range(down, len(cards) - 1)
                     if not (cards[k][0] == cards[k + 1][0] + 1 and cards[k][1] == cards[k + 1][1]))
        down = sum(d for _, d in columns)
        return -home * 4 + down * 6 + broken * 3 + len(stock) // 2

    def moves(self, state):
        columns, stock, waste, homes = state
        result = []

        def with_columns(changes):
            cols = list(columns)
            for i, (cards, down) in changes:
                cols[i] = (cards, min(down, len(cards) - 1) if cards else 0)
            return tuple(cols)
        for i, (cards, down) in enumerate(columns):
            if len(cards) - down >= 13:
                run = cards[-13:]
                if all(c[1] == run[0][1] for c in run) and all(run[k][0] == 12 - k for k in range(13)):
                    h = next(h for h, home in enumerate(homes) if not home)
                    result.append(("%s -> %s x13" % (self.columns[i], self.homes[h]),
                                   (with_columns([(i, (cards[:-13], down))]), stock, waste,
                                    homes[:h] + (run,) + homes[h + 1:])))
            if not cards:
                continue
            start = len(cards) - 1
            while start > down and cards[start - 1][0] == cards[start][0] + 1:
                start -= 1
            for first in range(start, len(cards)):
                run = cards[first:]
                reveals = first == down
                suited_below = first > down and cards[first - 1][1] == run[0][1] \
                    and cards[first - 1][0] == run[0][0] + 1
                for j, (target, tdown) in enumerate(columns):
                    if j == i or (target and target[-1][0] != run[0][0] + 1) or (not target and first == 0):
                        continue
                    # Only moves that uncover a card, or join a run to its suit, or
                    # break a run off where it was not in suit.
                    if not reveals and (suited_below or (target and target[-1][1] != run[0][1])):
                        continue
                    result.append(("%s -> %s x%d" % (self.columns[i], self.columns[j], len(run)),
                                   (with_columns([(i, (cards[:first], down)), (j, (target + run, tdown))]),
                                    stock, waste, homes)))
        if stock and all(cards for cards, _ in columns):
            dealt = tuple((cards + (stock[-1 - j],), down) for j, (cards, down) in enumerate(columns))
            result.append(("click DeckPileView", (dealt, stock[:-len(columns)], waste, homes)))
        return result


def main():
    kind = sys.argv[1]
    text = sys.stdin.read()
    piles, order = parse(text)
    if kind in ("Klondike", "Double Klondike"):
        game = Klondike(piles, order, text)
    elif kind == "Spider":
        game = Spider(piles, order, text)
    else:
        game = {"Golf": Golf, "Pyramid": Pyramid}.get(kind)
        game = game(piles, order) if game else Game(kind, piles, order)
    line = game.solve()
    if not line:
        sys.exit("no line found")
    print("\n".join(line))


if __name__ == "__main__":
    main()
