#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh default
if [[ -x build/default/Spiel/ferlan ]]; then
    exec build/default/Spiel/ferlan "$@"
fi
exec build/default/tools/ferlan-tool check --level 1 "$@"
