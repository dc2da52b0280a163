#!/usr/bin/env bash
# Installs what building, running and testing Ferlan needs, from Debian's
# packages. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libfontconfig-dev libxcb-damage0-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils imagemagick
    clang libclang-rt-14-dev
    fonts-dejavu-core
)
# Extra packages that other parts of the project register (one per line).
shopt -s nullglob
for list in "$(dirname "$0")"/packages.d/*.txt; do
    while read -r pkg; do
        [[ -n "$pkg" && "$pkg" != \#* ]] && packages+=("$pkg")
    done <"$list"
done

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi

missing=()
for pkg in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
if ((${#missing[@]} > 0)); then
    echo "Installiere: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The windows' tests run in German, as the programs' users do; a machine
# without the German locale would quietly test them in C.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Erzeuge die Locale de_DE.UTF-8"
    "${sudo[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
fi
