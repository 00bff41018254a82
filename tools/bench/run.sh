#!/bin/sh
# The start-up benchmark: the launcher against a bare Qt Widgets window, then the
# opening of each game from the command line (its first table painted, card
# pictures drawn cold), less the launcher alone.
#   tools/bench/run.sh BUILD_FOLDER RUNS
# Without a display it runs on a bare X server of its own.
set -eu
build=$1
runs=$2
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi
bench=$build/tools/bench/cardenza_startbench
program=$build/cardenza
"$bench" "$runs" "$build/tools/bench/cardenza_barewindow" "$program" --quit-after-first-paint
echo
launcher_ms=$("$bench" --alone "$runs" launcher "$program" --quit-after-first-paint | awk '{print $(NF-5)}')
echo "Opening a game from the command line, to its table painted (medians of $runs runs):"
"$program" --game "?" 2>&1 | sed -n 's/^  //p' | while IFS= read -r game; do
    "$bench" --alone "$runs" "$game" "$program" --game "$game" --quit-after-first-paint |
        awk -v base="$launcher_ms" -v name="$game" '{printf "%-26s %9.1f ms, of which opening the game %5.1f ms\n", name, $(NF-5), $(NF-5) - base}'
done
