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

# fc-solve over each board in turn, as one process each, under /usr/bin/time: the
# processor time of them all, and each verdict (1 solvable, 0 not, timeout when it
# ran out of its minute of processor time).
solveAll() {
    local fcgame=$1 times=$2
    shift 2
    /usr/bin/time -f "%U %S" -o "$work/cpu" bash -c '
        work=$1 deals=$2 fcgame=$3; shift 3
        ulimit -t 60
        for seed in $(seq 1 "$deals"); do
            status=0
            fc-solve --game "$fcgame" "$@" "$work/$seed.board" > "$work/fc-solve.out" 2>/dev/null || status=$?
            if [ "$status" -gt 128 ]; then echo "$seed timeout"
            else echo "$seed $(grep -c "This game is solveable." "$work/fc-solve.out")"; fi
        done' bash "$work" "$times" "$fcgame" "$@" > "$work/theirs.txt" 2> /dev/null
    awk '{ print ($1 + $2) * 1000 }' "$work/cpu"
}

# Processor time, ours against fc-solve's less what its processes cost to start, on
# the deals it decided; a deal it did not decide within its minute is left out of
# both sides. Our times are the solving thread's own.
compare() {
    local game=$1 fcgame=$2
    shift 2
    "$program" --print-deal "$game" --deals "$deals" | awk -v dir="$work" -f "$here/boards.awk"
    /usr/bin/time -f "%M" -o "$work/rss" "$program" --solve "$game" --deals "$deals" --jobs 1 | grep -v '^summary' > "$work/ours.txt"
    local total
    total=$(solveAll "$fcgame" "$deals" "$@")
    awk -v game="$game" -v flags="$*" -v total="$total" -v startup="$startup_ms" -v rss="$(cat "$work/rss")" '
        NR == FNR { solves[$1] = $2; if ($2 == "timeout") late++; next }
        solves[$1] == "timeout" { next }
        { ours += $3; if ($2 != "unknown") { compared++; if (($2 == "winnable") != (solves[$1] == 1)) differ++ } }
        END { theirs = total - 60000 * late - startup * FNR
              printf "%s against fc-solve %s: processor time ours %.0f ms, theirs %.0f ms (less %.2f ms a process to start),"\
                     " ratio ours/theirs %.2f; our memory %.0f MB; verdicts compared %d, differing %d;"\
                     " fc-solve past a minute %d\n", game, (flags == "" ? "(default)" : flags), ours, theirs, startup, (theirs > 0 ? ours / theirs : 0),
                     rss / 1024, compared, differ + 0, late + 0 }' \
        "$work/theirs.txt" "$work/ours.txt"
}

wants freecell || wants towers || wants castle || exit 0
echo
echo "Against fc-solve, $deals deals each:"
# What an fc-solve process costs besides solving: the processor time of as many
# processes over a board that is won already.
printf 'Foundations: H-K C-K D-K S-K\nFreecells:\n:\n:\n:\n:\n:\n:\n:\n:\n' > "$work/won.board"
for seed in $(seq 1 "$deals"); do cp "$work/won.board" "$work/$seed.board"; done
startup_ms=$(solveAll freecell "$deals" | awk -v n="$deals" '{ print $1 / n }')
if wants freecell; then
    compare "Free Cell" freecell -l lg
    compare "Free Cell" freecell
fi
if wants towers; then compare "Sea Towers" seahaven_towers; fi
if wants castle; then compare "Beleaguered Castle" beleaguered_castle; fi
