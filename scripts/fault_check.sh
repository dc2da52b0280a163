#!/usr/bin/env bash
# Puts hand-made faults (scripts/faults.txt) into a scratch copy of the
# sources one at a time, builds, runs the suite without the end-to-end and
# soak tests, and reports which faults the suite catches.
#
#   scripts/fault_check.sh [--rev REV | --worktree] [--check] [--faults F] [ID ...]
#
#   --rev REV    sources of commit REV (default HEAD)
#   --worktree   sources as they are in the working tree, uncommitted changes included
#   --check      only report which faults apply; build and run nothing
#   --faults F   the faults of file F instead of scripts/faults.txt (for an
#                older tree whose code the current snippets no longer match)
#   ID ...       only these faults
#
# The scratch copy and its build live under build/faults/, so the working
# tree and the normal build are never touched. Results go to
# build/faults/results.txt as well as to the terminal.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true
cd "$(dirname "$0")/.."
root=$(pwd)
faults_file="$root/scripts/faults.txt"
work="$root/build/faults"
src="$work/src"
bin="$work/bin"

rev=HEAD
worktree=false
check_only=false
selected=()
while (($#)); do
    case "$1" in
        --rev) rev="$2"; shift 2 ;;
        --worktree) worktree=true; shift ;;
        --check) check_only=true; shift ;;
        --faults) faults_file=$(realpath "$2"); shift 2 ;;
        -h | --help) sed -n '2,18p' "$0"; exit 0 ;;
        *) selected+=("$1"); shift ;;
    esac
done

# ------------------------------------------------------------ the fault list
ids=() areas=() files=() whats=() froms=() tos=()
parse_faults() {
    local line state="" from="" to="" header
    finish() {
        if [[ -n "$state" ]]; then
            # An entry cut short would put nothing in place of its snippet.
            if [[ "$state" != to ]]; then
                echo "$faults_file: ${ids[-1]} has no \"-- to\" part" >&2
                exit 2
            fi
            # Blank lines that separate the entries belong to no snippet.
            while [[ "$from" == *$'\n' ]]; do from=${from%$'\n'}; done
            while [[ "$to" == *$'\n' ]]; do to=${to%$'\n'}; done
            froms+=("${from#$'\n'}") tos+=("${to#$'\n'}")
        fi
        from="" to=""
    }
    while IFS= read -r line || [[ -n "$line" ]]; do
        if [[ "$line" == "== "* ]]; then
            finish
            header=${line#== }
            IFS='|' read -r a b c d <<<"$header"
            ids+=("$(echo $a)") areas+=("$(echo $b)") files+=("$(echo $c)") whats+=("$(echo $d)")
            state=header
        elif [[ "$state" == header && "$line" == "-- from" ]]; then
            state=from
        elif [[ "$state" == from && "$line" == "-- to" ]]; then
            state=to
        elif [[ "$state" == from ]]; then
            from+=$'\n'"$line"
        elif [[ "$state" == to ]]; then
            to+=$'\n'"$line"
        fi
    done <"$faults_file"
    finish
}
parse_faults

wanted() {
    ((${#selected[@]} == 0)) && return 0
    local s
    for s in "${selected[@]}"; do [[ "$s" == "$1" ]] && return 0; done
    return 1
}

# How often `needle` occurs in file `path`.
occurrences() {
    local text needle=$2
    text=$(cat "$1"; printf x)
    local without=${text//"$needle"/}
    echo $(((${#text} - ${#without}) / ${#needle}))
}

# ------------------------------------------------------------ the scratch copy
mkdir -p "$src"
sync_sources() {
    local fresh="$work/fresh"
    rm -rf "$fresh"
    mkdir -p "$fresh"
    if $worktree; then
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' f; do [[ -f "$f" ]] && printf '%s\0' "$f"; done |
            tar -c --null -T - | tar -x -C "$fresh"
    else
        git archive "$rev" | tar -x -C "$fresh"
    fi
    # Only files that differ are copied, so an unchanged tree rebuilds nothing.
    (cd "$fresh" && find . -type f) | while IFS= read -r f; do
        if ! cmp -s "$fresh/$f" "$src/$f"; then
            mkdir -p "$(dirname "$src/$f")"
            cp "$fresh/$f" "$src/$f"
        fi
    done
    (cd "$src" && find . -type f) | while IFS= read -r f; do
        [[ -e "$fresh/$f" ]] || rm -f "$src/$f"
    done
    rm -rf "$fresh"
}

current_file="" current_backup=""
restore() {
    if [[ -n "$current_backup" && -f "$current_backup" ]]; then
        cp "$current_backup" "$current_file"
        rm -f "$current_backup"
    fi
    current_file="" current_backup=""
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

# ccache, where the machine has it, keeps the rebuild after each fault short.
if [[ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]] && command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
# lld links the many test programs far faster than the default linker.
linker=()
command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
build() {
    cmake -S "$src" -B "$bin" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${linker[@]}" >/dev/null
    touch "$work/stamp"
    cmake --build "$bin" -j2 >"$work/build.log" 2>&1
}
# The suite without the end-to-end and soak tests, and without the kill tests
# of the atomic writes: those depend on timing, which a machine busy with the
# fault builds upsets (the atomic write's other test has none, so it runs).
# With `only_relinked`, only the tests whose program the last build linked
# anew: every other program is the one that just passed on the unchanged
# sources, so it cannot catch the fault.
skipped='e2e|[Ss]oak|AtomicWrite\.AKilled'
run_suite() {
    local selection=()
    if [[ "${1:-}" == only_relinked ]]; then
        local numbers
        numbers=$(ctest --test-dir "$bin" --show-only=json-v1 2>/dev/null | jq -r --arg stamp "$work/stamp" '
            .tests | to_entries[] | "\(.key + 1)\t\(.value.name)\t\(.value.command[0] // "")"' |
            # Tab-separated: a parameterised test's name has blanks in it.
            while IFS=$'\t' read -r number name program; do
                [[ "$name" =~ $skipped ]] && continue
                [[ -n "$program" ]] || continue
                if [[ "$program" -nt "$work/stamp" ]]; then
                    echo "$number"
                # These start ferlan-tool, and the command-line test the two
                # programs as well, which they do not link.
                elif [[ "$program" =~ /(ferlan_tool|playtest|editor_window|command_line)_test$ &&
                    "$bin/tools/ferlan-tool" -nt "$work/stamp" ]] ||
                    [[ "$program" =~ /command_line_test$ && ( "$bin/Spiel/ferlan" -nt "$work/stamp" ||
                    "$bin/Editor/editor" -nt "$work/stamp" ) ]]; then
                    echo "$number"
                fi
            done | paste -sd, -)
        [[ -z "$numbers" ]] && return 0
        # The numbers count in the whole list, so -E must not shorten it first.
        selection=(-I "0,0,0,$numbers")
    else
        selection=(-E "$skipped")
    fi
    ctest --test-dir "$bin" "${selection[@]}" -j2 --timeout 300 --stop-on-failure \
        >"$work/ctest.log" 2>&1
}
failed_tests() {
    sed -n '/The following tests FAILED/,$p' "$work/ctest.log" |
        grep -E '^\s+[0-9]+ - ' | sed -E 's/^\s+[0-9]+ - ([^ ]+).*/\1/' | head -3 | paste -sd, -
}

if ! $check_only; then
    echo "== Sources: $($worktree && echo 'working tree' || git rev-parse --short "$rev")"
    sync_sources
    echo "== Building and running the unchanged suite"
    if ! build; then
        echo "The unchanged sources do not build; see $work/build.log" >&2
        exit 2
    fi
    if ! run_suite; then
        echo "The unchanged suite fails; see $work/ctest.log" >&2
        exit 2
    fi
fi
base="$src"
$check_only && base="$root"

results="$work/results.txt"
mkdir -p "$work"
: >"$results"
caught=0 applicable=0 total=0
printf '%-24s %-13s %-13s %s\n' fault area result "caught by" | tee -a "$results"
for i in "${!ids[@]}"; do
    id=${ids[$i]}
    wanted "$id" || continue
    total=$((total + 1))
    target="$base/${files[$i]}"
    result="" by=""
    if [[ ! -f "$target" ]] || (($(occurrences "$target" "${froms[$i]}") != 1)); then
        result="not applicable"
    elif $check_only; then
        result="applies"
        applicable=$((applicable + 1))
    else
        applicable=$((applicable + 1))
        current_file=$target
        current_backup="$work/backup"
        cp "$target" "$current_backup"
        text=$(cat "$target"; printf x)
        text=${text%x}
        printf '%s' "${text/"${froms[$i]}"/"${tos[$i]}"}" >"$target"
        SECONDS=0
        if ! build; then
            result="no build"
        elif run_suite only_relinked; then
            result="MISSED"
        else
            result="caught"
            by=$(failed_tests)
            caught=$((caught + 1))
        fi
        by="$by (${SECONDS}s)"
        restore
        # Built again at once, so the next fault's build links only what that fault changes.
        build || true
    fi
    printf '%-24s %-13s %-13s %s\n' "$id" "${areas[$i]}" "$result" "$by" | tee -a "$results"
done

if $check_only; then
    echo "$applicable of $total faults apply" | tee -a "$results"
else
    # Leave the scratch build matching its sources again.
    build || true
    echo "$caught caught of $total ($applicable applied)" | tee -a "$results"
fi
