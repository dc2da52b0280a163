#!/usr/bin/env bash
# Lets the player model try every built-in level 20 times at its default
# parameters and prints the win-share table of docs/levels.md, with the wins
# each level's place in the set asks for, as the tool reports them.
#
#   tools/solver/playtest_builtin_levels.sh BUILD_DIR [FIRST [LAST]]
set -euo pipefail
cd "$(dirname "$0")/../.."
tool="${1:?build folder, e.g. build/default}/tools/ferlan-tool"
first="${2:-1}"
last="${3:-30}"

echo "| Level | Won of 20 | Caught | Out of time | Needed | Seconds |"
echo "|---:|---:|---:|---:|---:|---:|"
for n in $(seq "$first" "$last"); do
    out=$("$tool" playtest --level "$n" --stats)
    won=$(sed -n 's/^won \([0-9]*\) of .*/\1/p' <<<"$out")
    caught=$(grep -c ': caught' <<<"$out" || true)
    late=$(grep -c ': out of time' <<<"$out" || true)
    seconds=$(sed -n 's/.*seconds: \([0-9.]*\)$/\1/p' <<<"$out")
    needed=$(sed -n 's/^# needed for its place in the set: \([0-9]*\) of .*/\1/p' <<<"$out")
    echo "| $n | $won | $caught | $late | $needed | $seconds |"
done
