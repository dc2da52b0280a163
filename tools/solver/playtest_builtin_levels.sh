#!/usr/bin/env bash
# Lets the three players of the player model try every built-in level 20 times,
# and the average player once more with its keys 4 ticks later (no cliffs),
# and prints the win table of docs/levels.md with whether the level meets
# what its place in the set asks for, as the tool reports it.
#
#   tools/solver/playtest_builtin_levels.sh BUILD_DIR [FIRST [LAST]]
set -euo pipefail
cd "$(dirname "$0")/../.."
tool="${1:?build folder, e.g. build/default}/tools/ferlan-tool"
first="${2:-1}"
last="${3:-30}"

# Wins, then "ok" or "short" against the band the tool prints, then the
# seconds the attempts took.
play() {
    local out won band low high seconds
    out=$("$tool" playtest --stats "$@")
    seconds=$(sed -n 's/.*seconds: \([0-9.]*\)$/\1/p' <<<"$out")
    won=$(sed -n 's/^won \([0-9]*\) of .*/\1/p' <<<"$out")
    band=$(sed -n 's/^# needed for its place in the set: //p' <<<"$out")
    low=$(sed 's/ of .*//' <<<"$band")
    high=$(sed -n 's/.*at most \([0-9]*\).*/\1/p' <<<"$band")
    if ((won >= low)) && { [ -z "$high" ] || ((won <= high)); }; then
        echo "$won ok $seconds"
    else
        echo "$won short $seconds"
    fi
}

echo "| Level | Novice | Average | Skilled | Average, keys 4 ticks later | Met |"
echo "|---:|---:|---:|---:|---:|:---:|"
total=0
for n in $(seq "$first" "$last"); do
    met=yes
    row="| $n"
    for player in novice average skilled; do
        read -r won verdict seconds < <(play --level "$n" --player "$player")
        total=$(awk "BEGIN { print $total + $seconds }")
        [ "$verdict" = ok ] || met=no
        row="$row | $won"
        [ "$player" = average ] && average=$won
    done
    read -r slow _ < <(play --level "$n" --player average --reaction 16)
    ((average - slow <= 5)) || met=no
    echo "$row | $slow | $met |"
done
echo
echo "The three players took $total seconds."
