#!/usr/bin/env bash
# The formatting (.clang-format), the layers' includes, clang-tidy (the checks
# in .clang-tidy) and cppcheck over the project's own sources, using the
# default build's compile commands. Non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

echo "== clang-format"
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror; then
    status=1
fi

# A layer may include the headers of its own and lower layers only:
# leveldata and assets < Spiel/sim < solver < Editor/model and common <
# the windows and the tools < tests, benchmarks and fuzzers.
echo "== layer includes"
layer() {
    case "$1" in
        leveldata/* | assets/*) echo 0 ;;
        Spiel/sim/*) echo 1 ;;
        solver/*) echo 2 ;;
        Editor/model/* | common/*) echo 3 ;;
        Spiel/ui/* | Editor/ui/* | tools/*) echo 4 ;;
        *) echo 5 ;;
    esac
}
while IFS= read -r file; do
    own=$(layer "$file")
    while IFS= read -r included; do
        if (($(layer "$included") > own)); then
            echo "$file: includes $included from a higher layer"
            status=1
        fi
    done < <(sed -n -E 's@^#include [<"]((leveldata|assets|Spiel|solver|Editor|common|tools|tests|bench|fuzz)/[^>"]+)[>"].*@\1@p' "$file")
done < <(git ls-files '*.cpp' '*.h')

cmake --preset default >/dev/null
cmake --build --preset default >/dev/null   # generates the moc files the sources include
db=build/default

mapfile -t sources < <(git ls-files '*.cpp' | grep -v -E '^(fuzz)/')

echo "== clang-tidy (${#sources[@]} files)"
tidy_log=$(mktemp)
# Headers count when they are the project's own, not generated ones under build/.
header_filter="^$(pwd)/(leveldata|Spiel|Editor|common|solver|assets|tools|tests|bench)/"
if ! printf '%s\n' "${sources[@]}" |
    xargs -P 2 -n 8 clang-tidy -p "$db" --quiet --header-filter="$header_filter" >"$tidy_log" 2>/dev/null; then
    status=1
fi
if grep -E 'warning:|error:' "$tidy_log"; then
    status=1
fi
rm -f "$tidy_log"

echo "== cppcheck"
if ! cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability \
    --inline-suppr --suppress=missingIncludeSystem --std=c++20 --language=c++ \
    -I leveldata -I Spiel/sim -I Editor/model -I common \
    leveldata Spiel Editor common tools; then
    status=1
fi
exit "$status"
