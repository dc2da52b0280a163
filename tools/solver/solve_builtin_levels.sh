#!/usr/bin/env bash
# Finds a winning input for every built-in level again, stores it as
# tests/solutions/levelNN.keys and prints the difficulty table of
# docs/levels.md. Run it after changing a level text.
#
#   tools/solver/solve_builtin_levels.sh BUILD_DIR [FIRST [LAST]]
set -euo pipefail
cd "$(dirname "$0")/../.."
tool="${1:?build folder, e.g. build/default}/tools/ferlan-tool"
first="${2:-1}"
last="${3:-30}"
mkdir -p tests/solutions

echo "| Level | Ticks | Key changes | States searched | Seconds | Elements not used |"
echo "|---:|---:|---:|---:|---:|---:|"
for n in $(seq "$first" "$last"); do
    file=$(printf "tests/solutions/level%02d.keys" "$n")
    out=$("$tool" solve --level "$n" --stats)
    grep -v '^# [ZT]' <<<"$out" >"$file"
    ticks=$(sed -n 's/^# won after \([0-9]*\) ticks$/\1/p' <<<"$out")
    stats=$(grep '^# Zust' <<<"$out")
    states=$(sed 's/.*durchsucht: \([0-9]*\),.*/\1/' <<<"$stats")
    seconds=$(sed 's/.*Sekunden: \([0-9.]*\),.*/\1/' <<<"$stats")
    changes=$(sed 's/.*Tastenwechsel: \([0-9]*\).*/\1/' <<<"$stats")
    # Elements whose outer disc the ball never touched, or polarisers it
    # never passed, in the stored input.
    unused=$(grep '^# Ticks' <<<"$out" | cut -d: -f2 | tr ' ' '\n' | grep -cx '0' || true)
    echo "| $n | $ticks | $changes | $states | $seconds | $unused |"
done
