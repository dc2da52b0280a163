#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game (or, with the argument
# "editor", the level editor).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh default
if [[ "${1:-}" == "editor" ]]; then
    shift
    exec build/default/Editor/editor "$@"
fi
exec build/default/Spiel/ferlan "$@"
