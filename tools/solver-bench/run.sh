#!/bin/bash
# The solver's speed: every game's figures over DEALS deals, then Free Cell, Sea
# Towers and Beleaguered Castle against fc-solve on the same deals, one deal at a
# time each, with the verdicts compared. Not a test: the figures depend on the
# machine and its load.
#   tools/solver-bench/run.sh BUILD_FOLDER DEALS
set -eu
build=$1
deals=$2
program=$build/cardenza
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

echo "Every game, $deals deals from seed 1, one thread, budget 2000 ms:"
for game in "Beleaguered Castle" "Double Klondike" "Forty Thieves" "Free Cell" "Golf" "Indian Patience" \
            "Klondike" "Montana" "Pyramid" "Queen of Italy" "Sea Towers" "Spider"; do
    /usr/bin/time -f "max_rss_kb=%M" -o "$work/rss" "$program" --solve "$game" --deals "$deals" --jobs 1 \
        > "$work/ours.txt"
    grep -v '^summary' "$work/ours.txt" | awk '$2 != "unknown" { d++ } END { printf "  decided %.2f %%  ", 100 * d / NR }'
    tail -n 1 "$work/ours.txt" | tr '\n' ' '
    cat "$work/rss"
done

# Milliseconds of each fc-solve run, its verdict, and the medians against ours.
compare() {
    local game=$1 fcgame=$2
    shift 2
    "$program" --print-deal "$game" --deals "$deals" | awk -v dir="$work" -f "$here/boards.awk"
    "$program" --solve "$game" --deals "$deals" --jobs 1 | grep -v '^summary' > "$work/ours.txt"
    : > "$work/theirs.txt"
    for seed in $(seq 1 "$deals"); do
        local start=$EPOCHREALTIME
        local verdict=timeout status=0
        # A deal fc-solve has not decided within a minute is left out of the comparison.
        timeout 60 fc-solve --game "$fcgame" "$@" "$work/$seed.board" > "$work/fc-solve.out" || status=$?
        [ "$status" = 124 ] || verdict=$(grep -c "This game is solveable." "$work/fc-solve.out" || true)
        local end=$EPOCHREALTIME
        echo "$seed $verdict $start $end" >> "$work/theirs.txt"
    done
    awk -v game="$game" -v flags="$*" -v startup="$startup_ms" '
        NR == FNR { solves[$1] = $2; theirs[FNR] = ($4 - $3) * 1000 - startup; if (theirs[FNR] < 0) theirs[FNR] = 0; next }
        { ours[FNR] = $3; if (solves[$1] == "timeout") { late++; next }
          if ($2 != "unknown") { compared++; if (($2 == "winnable") != (solves[$1] == 1)) differ++ } }
        function median(a, n,   i, j, t) {
            for (i = 2; i <= n; ++i) for (j = i; j > 1 && a[j-1] > a[j]; --j) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
            return a[int((n + 1) / 2)] }
        END { n = FNR; mo = median(ours, n); mt = median(theirs, n)
              printf "%s: ours median %.1f ms, fc-solve %s median %.1f ms (less its start), ratio ours/theirs %.2f;" \
                     " verdicts compared %d, differing %d, fc-solve past a minute %d\n", game, mo, flags, mt, (mt > 0 ? mo / mt : 0),
                     compared, differ + 0, late + 0 }' \
        "$work/theirs.txt" "$work/ours.txt"
}

echo
echo "Against fc-solve, $deals deals each:"
# What an fc-solve process costs besides solving: the median time it takes over a
# board that is won already.
printf 'Foundations: H-K C-K D-K S-K\nFreecells:\n:\n:\n:\n:\n:\n:\n:\n:\n' > "$work/won.board"
for run in $(seq 1 21); do
    start=$EPOCHREALTIME
    fc-solve "$work/won.board" > /dev/null
    echo "$start $EPOCHREALTIME"
done > "$work/startup.txt"
startup_ms=$(awk '{ print ($2 - $1) * 1000 }' "$work/startup.txt" | sort -n | sed -n 11p)
echo "  (an fc-solve process over a board won already takes $startup_ms ms; taken off its times below)"
compare "Free Cell" freecell -l lg
compare "Free Cell" freecell
compare "Sea Towers" seahaven_towers
compare "Beleaguered Castle" beleaguered_castle
