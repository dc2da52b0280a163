#!/usr/bin/env bash
# Runs every libFuzzer target for the given number of seconds (default 60),
# starting from the seed corpus in tests/fuzz/corpus. New inputs the fuzzer
# finds go to a scratch folder, so the committed corpus stays as it is.
# Exits non-zero when a target crashes; the crashing input is kept in build/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/crashes
status=0
for target in build/fuzz/fuzz/fuzz_*; do
    [[ -f "$target" && -x "$target" ]] || continue
    name="$(basename "$target")"
    corpus="tests/fuzz/corpus/${name#fuzz_}"
    scratch="$(mktemp -d)"
    echo "== $name: $seconds s"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=build/fuzz/crashes/"$name"- -print_final_stats=1 \
        "$scratch" "$corpus" 2>build/fuzz/"$name".log; then
        tail -40 build/fuzz/"$name".log
        status=1
    else
        grep -E 'stat::number_of_executed_units|Done' build/fuzz/"$name".log || true
    fi
    rm -rf "$scratch"
done
exit "$status"
