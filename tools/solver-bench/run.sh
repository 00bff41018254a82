#!/bin/bash
# The solver's speed: every game's figures over DEALS deals, then Free Cell, Sea
# Towers and Beleaguered Castle against fc-solve on the same deals, one deal at a
# time each, with the verdicts compared. Not a test: the figures depend on the
# machine and its load.
#   tools/solver-bench/run.sh BUILD_FOLDER DEALS [PART...]
# PART: games, freecell, towers or castle (all four when none is named).
set -eu
build=$1
deals=$2
shift 2
parts=" ${*:-games freecell towers castle} "
program=$build/cardenza
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

wants() { [[ $parts == *" $1 "* ]]; }

wants games && echo "Every game, $deals deals from seed 1, one thread, budget 2000 ms:"
wants games && for game in "Beleaguered Castle" "Double Klondike" "Forty Thieves" "Free Cell" "Golf" "Indian Patience" \
            "Klondike" "Montana" "Pyramid" "Queen of Italy" "Sea Towers" "Spider"; do
    /usr/bin/time -f "max_rss_kb=%M" -o "$work/rss" "$program" --solve "$game" --deals "$deals" --jobs 1 \
        > "$work/ours.txt"
    grep -v '^summary' "$work/ours.txt" | awk '$2 != "unknown" { d++ } END { printf "  decided %.2f %%  ", 100 * d / NR }'
    tail -n 1 "$work/ours.txt" | tr '\n' ' '
    cat "$work/rss"
done

# Processor time per deal, ours against fc-solve's less what its process costs to
# start, medians and totals over the deals it decided: a deal it did not decide
# within its minute is left out of both sides. Our times are the solving thread's.
compare() {
    local game=$1 fcgame=$2
    shift 2
    "$program" --print-deal "$game" --deals "$deals" | awk -v dir="$work" -f "$here/boards.awk"
    /usr/bin/time -f "%M" -o "$work/rss" "$program" --solve "$game" --deals "$deals" --jobs 1 | grep -v '^summary' > "$work/ours.txt"
    python3 "$here/fcsolve_times.py" "$work" "$deals" "$fcgame" "$@" > "$work/theirs.txt"
    awk -v game="$game" -v flags="$*" -v startup="$startup_ms" -v rss="$(cat "$work/rss")" '
        function median(a, n,   i, j, t) {
            for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j-1] > a[j]; --j) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
            return a[int((n + 1) / 2)] }
        NR == FNR { solves[$1] = $2; spent[$1] = $3 - startup < 0 ? 0 : $3 - startup; if ($2 == "timeout") late++; next }
        solves[$1] == "timeout" { next }
        { n++; ours[n] = $3; theirs[n] = spent[$1]; oursTotal += $3; theirsTotal += spent[$1]
          if ($2 != "unknown") { compared++; if (($2 == "winnable") != (solves[$1] == 1)) differ++ } }
        END { printf "%s against fc-solve %s: ours median %.2f ms, total %.0f ms; theirs median %.2f ms, total %.0f ms;"\
                     " ratio of totals ours/theirs %.2f; our memory %.0f MB; verdicts compared %d, differing %d;"\
                     " fc-solve past a minute %d\n", game, (flags == "" ? "(default)" : flags), median(ours, n), oursTotal,
                     median(theirs, n), theirsTotal, (theirsTotal > 0 ? oursTotal / theirsTotal : 0), rss / 1024,
                     compared, differ + 0, late + 0 }' \
        "$work/theirs.txt" "$work/ours.txt"
}

wants freecell || wants towers || wants castle || exit 0
echo
echo "Against fc-solve, $deals deals each:"
# What an fc-solve process costs besides solving: the median processor time of 101
# processes over a board that is won already.
printf 'Foundations: H-K C-K D-K S-K\nFreecells:\n:\n:\n:\n:\n:\n:\n:\n:\n' > "$work/won.board"
for seed in $(seq 1 101); do cp "$work/won.board" "$work/$seed.board"; done
startup_ms=$(python3 "$here/fcsolve_times.py" "$work" 101 freecell | sort -k3,3g | sed -n 51p | cut -d' ' -f3)
echo "  (an fc-solve process over a board won already takes $startup_ms ms of processor time; taken off its times)"
if wants freecell; then
    compare "Free Cell" freecell -l lg
    compare "Free Cell" freecell
fi
if wants towers; then compare "Sea Towers" seahaven_towers; fi
if wants castle; then compare "Beleaguered Castle" beleaguered_castle; fi
