#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Non-zero on any failure.
#
#   ./test.sh           the whole suite: the optimised build, a short run of
#                       every fuzz target, and the same suite again under
#                       AddressSanitizer and UndefinedBehaviorSanitizer
#   ./test.sh --quick   the optimised build's suite and the Debian package check
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh default
ctest --preset default -j2

echo "== The Debian package and lintian"
rm -f build/default/package/ferlan_*.deb
cpack --config build/default/CPackConfig.cmake -B build/default/package >/dev/null
lintian --fail-on error,warning build/default/package/ferlan_*.deb

if [[ "${1:-}" == "--quick" ]]; then
    exit 0
fi

echo "== Fuzzing"
scripts/fuzz.sh "${FERLAN_FUZZ_SECONDS:-45}"

echo "== The suite under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh sanitize
ctest --preset sanitize -j2
