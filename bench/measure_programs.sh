#!/usr/bin/env bash
# Starts each program in a real X window under Xvfb and measures it.
#
#   bench/measure_programs.sh [RUNS]            the table and the playing ratio
#   bench/measure_programs.sh --playing [RUNS]  the playing ratio only
#   bench/measure_programs.sh --startup [RUNS]  start-up only, the programs in turn
#
# The table: medians of RUNS runs (default 5) of the time until the window is
# mapped by the X server, resident memory after 5 s, CPU while idle for 10 s and CPU while
# playing for 10 s (game: level 1 with Up held). The playing ratio: the game
# playing and the floor program (bench/minimal_qt: the same window size
# redrawn whole at 64 Hz with 60 translucent sprites) in alternating 10-second
# runs, the program and the X server each in % of one core, medians and their
# ratio; then the same game paused with P. A program that ends by itself or
# shows no window within 30 s stops the script with a message. Needs a default
# build; FERLAN_GAME and FERLAN_EDITOR name another game or editor binary to
# measure in its place (an older build, say). With --startup,
# FERLAN_OTHER_EDITOR names an editor binary started beside this build's in
# every turn, for a before and after under the same load; start-up is also
# timed to the first picture the X server reports drawn into the window,
# which is when a person sees the window (bench/window_watch), and a second
# floor with one line of text in it (minimal-qt-text) starts in every turn:
# the share of a start that any window showing words pays.
set -euo pipefail
cd "$(dirname "$0")/.."
playing_only=0
startup_only=0
if [[ "${1:-}" == --playing ]]; then
    playing_only=1
    shift
elif [[ "${1:-}" == --startup ]]; then
    startup_only=1
    shift
fi
runs="${1:-5}"
build=build/default
for binary in bench/minimal_qt/minimal-qt bench/minimal_qt/minimal-qt-text bench/window_watch/window_watch Spiel/ferlan Editor/editor; do
    [[ $playing_only == 1 && $binary == Editor/editor ]] && continue
    [[ -x "$build/$binary" ]] || { echo "missing $build/$binary: build the default preset first" >&2; exit 2; }
done
editor="${FERLAN_EDITOR:-$PWD/$build/Editor/editor}"

# The game plays from a folder of its own, so the player's progress stays out.
home=$(mktemp -d)
cp "${FERLAN_GAME:-$build/Spiel/ferlan}" "$home/ferlan"
printf '0\r\n' >"$home/vmos2.dll"

display=":$((70 + RANDOM % 20))"
Xvfb "$display" -noreset -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=""
cleanup() {
    [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n "${WINDOWS_PID:-}" ]] && kill "$WINDOWS_PID" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export DISPLAY="$display" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }

clock_ticks=$(getconf CLK_TCK)
now() { date +%s.%N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
alive() { kill -0 "$program_pid" 2>/dev/null; }
ended() {
    wait "$program_pid" 2>/dev/null && status=0 || status=$?
    echo "$1 ended by itself (exit status $status)" >&2
    program_pid=""
    exit 1
}

# Percent of one core used by the program and by the X server over $1 seconds,
# as "program server".
cpu_percent() {
    local seconds=$1 p0 x0 p1 x1
    p0=$(cpu_ticks "$program_pid")
    x0=$(cpu_ticks "$xvfb_pid")
    sleep "$seconds"
    alive || ended "$name"
    p1=$(cpu_ticks "$program_pid")
    x1=$(cpu_ticks "$xvfb_pid")
    awk -v p0="$p0" -v p1="$p1" -v x0="$x0" -v x1="$x1" -v s="$seconds" -v t="$clock_ticks" \
        'BEGIN {printf "%.2f %.2f", 100 * (p1 - p0) / t / s, 100 * (x1 - x0) / t / s}'
}

# Every window mapped and first painted on the display, as the X server
# reports it: waiting for the report costs the machine nothing, where asking
# again and again would take processor time from the program being started.
coproc WINDOWS { exec "$build/bench/window_watch/window_watch" 2>/dev/null; }
sleep 0.3

# Starts program $1 with window caption $2; sets program_pid, wid,
# started_ms (the time until the server mapped its window) and framed_ms
# (until the first picture reached it). Gives up after 30 s.
start() {
    local binary=$1 title=$2 t0 t1 line event window when
    name=$(basename "$binary")
    wid=""
    framed_ms=""
    t0=$EPOCHREALTIME
    (cd "$home" && exec "$binary") >/dev/null 2>&1 &
    program_pid=$!
    while [[ -z "$framed_ms" ]]; do
        # Every line is read at once, so that a report is read the moment it
        # comes; the checks wait for a quiet half second.
        if ! read -r -t 0.5 -u "${WINDOWS[0]}" event window when; then
            alive || ended "$name"
            awk -v a="$EPOCHREALTIME" -v b="$t0" 'BEGIN {exit !(a - b > 30)}' && {
                echo "$name showed no window within 30 s" >&2
                exit 1
            }
            continue
        fi
        if [[ -z "$wid" && "$event" == map ]]; then
            t1=$when
            [[ "$(xdotool getwindowname "$window" 2>/dev/null)" == "$title" ]] && wid=$window
        elif [[ -n "$wid" && "$event" == frame && "$window" == "$wid" ]]; then
            framed_ms=$(awk -v a="$when" -v b="$t0" 'BEGIN {printf "%.0f", 1000 * (a - b)}')
        fi
    done
    started_ms=$(awk -v a="$t1" -v b="$t0" 'BEGIN {printf "%.0f", 1000 * (a - b)}')
    # The processor time of all its threads so far, which a busy machine
    # stretches far less than the time on the clock.
    started_cpu_ms=$(cat /proc/"$program_pid"/task/*/schedstat 2>/dev/null |
        awk '{ns += $1} END {printf "%.0f", ns / 1e6}')
    start_time=$t0
}
stop() {
    alive || ended "$name"
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

# Clicks at a point given in window pixels.
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }

# From the title screen into level 1 with Up held.
play_level_one() {
    click 216 116 # "Spiel starten"
    sleep 0.5
    click 64 28 # "Level 1"
    sleep 0.5
    xdotool keydown --window "$wid" Up
}

measure() {
    local binary=$1 title=$2 starts=() rss=() idle=() play=()
    for _ in $(seq "$runs"); do
        if [[ "$title" == Ferlan ]]; then
            start "$home/ferlan" "$title"
        elif [[ "$binary" == Editor/editor ]]; then
            start "$editor" "$title"
        else
            start "$PWD/$build/$binary" "$title"
        fi
        starts+=("$started_ms")
        sleep "$(awk -v a="$(now)" -v b="$start_time" 'BEGIN {d = 5 - (a - b); print (d > 0 ? d : 0)}')"
        rss+=("$(rss_kib "$program_pid")")
        idle+=("$(cpu_percent 10 | cut -d' ' -f1)")
        if [[ "$title" == Ferlan ]]; then
            play_level_one
            play+=("$(cpu_percent 10 | cut -d' ' -f1)")
            xdotool keyup --window "$wid" Up
        else
            play+=("${idle[-1]}")
        fi
        stop
    done
    printf '| %s | %s | %s | %s | %s |\n' "$name" \
        "$(printf '%s\n' "${starts[@]}" | median)" \
        "$(printf '%s\n' "${rss[@]}" | median | awk '{printf "%.1f", $1 / 1024}')" \
        "$(printf '%s\n' "${idle[@]}" | median)" \
        "$(printf '%s\n' "${play[@]}" | median)"
}

# The game playing against the floor, one after the other, RUNS times.
measure_playing() {
    local floor_p=() floor_x=() game_p=() game_x=() paused_p=() paused_x=() reading
    for _ in $(seq "$runs"); do
        start "$PWD/$build/bench/minimal_qt/minimal-qt" Minimal
        sleep 1
        reading=$(cpu_percent 10)
        floor_p+=("${reading% *}")
        floor_x+=("${reading#* }")
        stop
        start "$home/ferlan" Ferlan
        sleep 1
        play_level_one
        sleep 1
        reading=$(cpu_percent 10)
        game_p+=("${reading% *}")
        game_x+=("${reading#* }")
        xdotool keyup --window "$wid" Up
        # A paused level should cost nothing: no timer runs.
        xdotool key --window "$wid" p
        sleep 1
        reading=$(cpu_percent 10)
        paused_p+=("${reading% *}")
        paused_x+=("${reading#* }")
        stop
    done
    local fp fx gp gx
    fp=$(printf '%s\n' "${floor_p[@]}" | median)
    fx=$(printf '%s\n' "${floor_x[@]}" | median)
    gp=$(printf '%s\n' "${game_p[@]}" | median)
    gx=$(printf '%s\n' "${game_x[@]}" | median)
    echo "Playing against the floor, $runs alternating 10-second runs (% of one core):"
    echo
    echo "| | program | X server | together |"
    echo "|---|---|---|---|"
    awk -v p="$fp" -v x="$fx" 'BEGIN {printf "| floor (minimal-qt) | %.2f | %.2f | %.2f |\n", p, x, p + x}'
    awk -v p="$gp" -v x="$gx" 'BEGIN {printf "| ferlan, level 1 with Up held | %.2f | %.2f | %.2f |\n", p, x, p + x}'
    awk -v fp="$fp" -v fx="$fx" -v gp="$gp" -v gx="$gx" 'BEGIN {
        printf "| ratio | %.2f | %.2f | %.2f |\n", (fp > 0 ? gp / fp : 0), (fx > 0 ? gx / fx : 0),
            (fp + fx > 0 ? (gp + gx) / (fp + fx) : 0) }'
    awk -v p="$(printf '%s\n' "${paused_p[@]}" | median)" -v x="$(printf '%s\n' "${paused_x[@]}" | median)" \
        'BEGIN {printf "| ferlan, the same level paused (P) | %.2f | %.2f | %.2f |\n", p, x, p + x}'
    echo
    echo "Single runs, program/server: floor ${floor_p[*]} / ${floor_x[*]}; game ${game_p[*]} / ${game_x[*]}; paused ${paused_p[*]} / ${paused_x[*]}"
}

# The programs started in turn, RUNS times, so that a change in the machine's
# load meets them all alike; medians and the ratio to the floor.
measure_startup() {
    local floor=() text=() game=() edit=() other=() floor_frame=() text_frame=() game_frame=()
    local edit_frame=() other_frame=() floor_cpu=() text_cpu=() game_cpu=() edit_cpu=() other_cpu=()
    local other_editor="${FERLAN_OTHER_EDITOR:-}"
    local turn
    # Starts program $4 with caption $5 once and adds its three times to the
    # arrays named $1 (map), $2 (first frame) and $3 (processor).
    start_once() {
        local -n maps=$1 frames=$2 cpus=$3
        start "$4" "$5"
        maps+=("$started_ms")
        frames+=("$framed_ms")
        cpus+=("$started_cpu_ms")
        stop
    }
    local editor_title="Neues Level – Ferlan-Editor"
    for turn in $(seq "$runs"); do
        start_once floor floor_frame floor_cpu "$PWD/$build/bench/minimal_qt/minimal-qt" Minimal
        start_once text text_frame text_cpu "$PWD/$build/bench/minimal_qt/minimal-qt-text" \
            "Minimal mit Text"
        start_once game game_frame game_cpu "$home/ferlan" Ferlan
        # The two editors take turns at going first.
        if [[ -n "$other_editor" && $((turn % 2)) == 0 ]]; then
            start_once other other_frame other_cpu "$other_editor" "$editor_title"
        fi
        start_once edit edit_frame edit_cpu "$editor" "$editor_title"
        if [[ -n "$other_editor" && $((turn % 2)) == 1 ]]; then
            start_once other other_frame other_cpu "$other_editor" "$editor_title"
        fi
    done
    local f ff fc
    f=$(printf '%s\n' "${floor[@]}" | median)
    ff=$(printf '%s\n' "${floor_frame[@]}" | median)
    fc=$(printf '%s\n' "${floor_cpu[@]}" | median)
    # One row: name, then the map, first-frame and processor times of its
    # starts, RUNS of each.
    row() {
        local name=$1 ms frame cpu
        shift
        # Slices, not head: a reader that stops early would end the writer
        # with SIGPIPE, which pipefail turns into a silent exit.
        ms=$(printf '%s\n' "${@:1:runs}" | median)
        frame=$(printf '%s\n' "${@:runs+1:runs}" | median)
        cpu=$(printf '%s\n' "${@:2*runs+1:runs}" | median)
        awk -v n="$name" -v m="$ms" -v fr="$frame" -v c="$cpu" -v f="$f" -v ff="$ff" -v fc="$fc" \
            'BEGIN {printf "| %s | %s | %.2f | %s | %.2f | %s | %.2f |\n", n, fr, fr / ff, m, m / f, c, (fc > 0 ? c / fc : 0)}'
    }
    echo "Start-up, $runs starts each in turn: medians of the time on the clock until the first picture"
    echo "reached the window and until the window was mapped, and of the processor time of the"
    echo "program's threads until the map (ms), with their ratios to the floor:"
    echo
    echo "| program | first frame | ratio | mapped | ratio | processor | ratio |"
    echo "|---|---|---|---|---|---|---|"
    row "floor (minimal-qt)" "${floor[@]}" "${floor_frame[@]}" "${floor_cpu[@]}"
    row "floor with one line of text" "${text[@]}" "${text_frame[@]}" "${text_cpu[@]}"
    row ferlan "${game[@]}" "${game_frame[@]}" "${game_cpu[@]}"
    row editor "${edit[@]}" "${edit_frame[@]}" "${edit_cpu[@]}"
    [[ -n "$other_editor" ]] && row "editor $other_editor" "${other[@]}" "${other_frame[@]}" "${other_cpu[@]}"
    echo
    echo "Single starts (first frame): floor ${floor_frame[*]}; floor with text ${text_frame[*]}; ferlan ${game_frame[*]}; editor ${edit_frame[*]}${other_editor:+; other editor ${other_frame[*]}}"
}

echo "Runs: $runs on $(nproc) cores, $(date -u +%Y-%m-%d), load average $(cut -d' ' -f1-3 /proc/loadavg)."
echo
if [[ $startup_only == 1 ]]; then
    measure_startup
    exit 0
fi
if [[ $playing_only == 0 ]]; then
    echo "| program | start-up to window shown (ms) | resident memory after 5 s (MiB) | CPU idle, 10 s (% of one core) | CPU playing, 10 s (% of one core) |"
    echo "|---|---|---|---|---|"
    measure bench/minimal_qt/minimal-qt Minimal
    measure Spiel/ferlan Ferlan
    measure Editor/editor "Neues Level – Ferlan-Editor"
    echo
fi
measure_playing
