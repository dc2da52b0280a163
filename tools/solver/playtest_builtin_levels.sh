#!/usr/bin/env bash
# Lets the player model try every built-in level 20 times at its default
# parameters and prints the win-share table of docs/levels.md, with the
# criterion each level has to meet (80 % for levels 1 to 10, 65 % for 11 to
# 20, 50 % for 21 to 30).
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
    if ((n <= 10)); then needed=16; elif ((n <= 20)); then needed=13; else needed=10; fi
    echo "| $n | $won | $caught | $late | $needed | $seconds |"
done
