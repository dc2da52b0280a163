#!/usr/bin/env bash
# Starts each program in a real X window under Xvfb and reports medians of
# several runs: time until the window is shown, resident memory after 5 s,
# CPU while idle for 10 s, and CPU while playing (game: level 1 with Up held)
# for 10 s. An empty Qt window with a 64 Hz timer is measured in the same run
# as the floor to compare against.
#
#   bench/measure_programs.sh [RUNS]     (default 5; needs a default build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
build=build/default
for binary in bench/minimal_qt/minimal-qt Spiel/ferlan Editor/editor; do
    [[ -x "$build/$binary" ]] || { echo "missing $build/$binary: build the default preset first" >&2; exit 2; }
done

display=":$((70 + RANDOM % 20))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

clock_ticks=$(getconf CLK_TCK)
now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

# Percent of one core used by $1 over $2 seconds.
cpu_percent() {
    local pid=$1 seconds=$2 before after
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    awk -v b="$before" -v a="$after" -v s="$seconds" -v t="$clock_ticks" 'BEGIN {printf "%.2f", 100 * (a - b) / t / s}'
}

# Clicks at a point given in window pixels.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

measure() {
    local name=$1 binary=$2 title=$3
    local starts=() rss=() idle=() play=()
    for _ in $(seq "$runs"); do
        local t0 wid="" pid
        t0=$(now)
        "$build/$binary" >/dev/null 2>&1 &
        pid=$!
        while [[ -z "$wid" ]]; do
            wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
            [[ -n "$wid" ]] || sleep 0.005
        done
        starts+=("$(awk -v a="$(now)" -v b="$t0" 'BEGIN {printf "%.0f", 1000 * (a - b)}')")
        sleep "$(awk -v a="$(now)" -v b="$t0" 'BEGIN {d = 5 - (a - b); print (d > 0 ? d : 0)}')"
        rss+=("$(rss_kib "$pid")")
        idle+=("$(cpu_percent "$pid" 10)")
        if [[ "$name" == ferlan ]]; then
            click "$wid" 216 116      # "Spiel starten"
            sleep 0.5
            click "$wid" 64 28        # "Level 1"
            sleep 0.5
            xdotool keydown --window "$wid" Up
            play+=("$(cpu_percent "$pid" 10)")
            xdotool keyup --window "$wid" Up
        else
            play+=("${idle[-1]}")
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    printf '| %s | %s | %s | %s | %s |\n' "$name" \
        "$(printf '%s\n' "${starts[@]}" | median)" \
        "$(printf '%s\n' "${rss[@]}" | median | awk '{printf "%.1f", $1 / 1024}')" \
        "$(printf '%s\n' "${idle[@]}" | median)" \
        "$(printf '%s\n' "${play[@]}" | median)"
}

echo "Medians of $runs runs on $(nproc) cores, $(date -u +%Y-%m-%d)."
echo
echo "| program | start-up to window shown (ms) | resident memory after 5 s (MiB) | CPU idle, 10 s (% of one core) | CPU playing, 10 s (% of one core) |"
echo "|---|---|---|---|---|"
measure minimal-qt bench/minimal_qt/minimal-qt Minimal
measure ferlan Spiel/ferlan Ferlan
measure editor Editor/editor Editor
