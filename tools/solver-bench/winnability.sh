#!/bin/bash
# The rows of docs/winnability.md: each game and option set the solver knows, over
# DEALS deals from seed 1, at the default budget of 2 s of processor time a deal.
#   tools/solver-bench/winnability.sh BUILD_FOLDER DEALS [GAME OPTION...]
# With a game (and its options, as KEY=VALUE), only that row.
set -eu
build=$1
deals=$2
shift 2
export QT_QPA_PLATFORM=offscreen

row() {
    local game=$1
    shift
    local options=()
    for option in "$@"; do options+=(--option "$option"); done
    "$build/cardenza" --solve "$game" --deals "$deals" "${options[@]}" | tail -n 1 |
        awk -v set="${*:-(none)}" '{
            for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
            game = $0; sub(/^summary game="/, "", game); sub(/".*/, "", game)
            printf "| %s | %s | %d | %.2f %% | ± %.2f | %.2f %% | %.1f ms | %.1f ms |\n",
                   game, set, v["deals"], v["winnable_pct"], v["ci95"], 100 * v["unknown"] / v["deals"],
                   v["median_ms"], v["p99_ms"] }'
}

if [ $# -gt 0 ]; then
    row "$@"
    exit
fi
echo "| Game | Options | Deals | Winnable | 95 % interval | Unknown | Median | 99th percentile |"
echo "|---|---|---|---|---|---|---|---|"
row "Beleaguered Castle"
row "Double Klondike" DrawThree=True
row "Double Klondike" DrawThree=False
row "Forty Thieves"
row "Free Cell"
row "Golf" KingStopsSequence=True
row "Golf" KingStopsSequence=False
row "Indian Patience"
row "Klondike" DrawThree=True
row "Klondike" DrawThree=False
row "Montana"
row "Pyramid"
row "Queen of Italy"
row "Sea Towers"
row "Spider" SameSuitBuilds=True
row "Spider" SameSuitBuilds=False
