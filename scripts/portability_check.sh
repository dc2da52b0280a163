#!/usr/bin/env bash
# Runs the optimised build's suite under conditions a machine may bring with
# it (another locale, a far time zone, one core, a busy processor, a home
# folder that takes no files, a checkout path with a space and an umlaut),
# RUNS times each (default 3), and prints a table of what failed. Takes long;
# ./test.sh does not run it.
#
#   scripts/portability_check.sh [RUNS] [PATTERN]
#
# PATTERN (an extended regular expression) keeps only the conditions whose
# name matches, to run one row again.
#
# Needs scripts/setup.sh to have run (stress-ng, the German locale). The
# checkout-path condition builds a second copy of the tree under the system's
# temporary folder.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-3}
only=${2:-}
build="$root/build/default"
# The output of every failing run, for a closer look.
logs="$root/build/portability"
rm -rf "$logs"
mkdir -p "$logs"
scratch=$(mktemp -d)
trap 'cleanup' EXIT
stress_pid=

cleanup() {
    [[ -n "$stress_pid" ]] && kill "$stress_pid" 2>/dev/null
    rm -rf "$scratch"
}

scripts/build.sh default >/dev/null || { echo "the optimised build failed" >&2; exit 1; }

# A home folder that takes no files: for the superuser, whom permissions do
# not bind, a read-only bind mount in a mount namespace of its own.
readonly_home="$scratch/home"
mkdir -p "$readonly_home"
run_with_readonly_home() {
    if ((EUID == 0)); then
        unshare --mount --propagation private -- bash -c '
            mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || exit 125
            shift; HOME="$0" exec "$@"' "$readonly_home" "$readonly_home" "$@"
    else
        chmod 0500 "$readonly_home"
        HOME="$readonly_home" "$@"
        chmod 0700 "$readonly_home"
    fi
}

# The same tree, cloned to a path with a space and an umlaut, and built there.
odd_path="$scratch/Ferlan Prüfung/ferlan"
prepare_odd_path() {
    mkdir -p "$(dirname "$odd_path")"
    git clone -q "$root" "$odd_path" &&
        git -C "$root" diff HEAD | git -C "$odd_path" apply --allow-empty &&
        (cd "$odd_path" && scripts/build.sh default)
}

# One run of the suite in build folder $1, its log kept as $2 when it fails,
# under the command words that follow; prints the failing tests' names, one
# per line.
suite() {
    local dir=$1 kept=$2
    shift 2
    local log="$scratch/log"
    "$@" ctest --test-dir "$dir" -j2 --timeout 600 --output-on-failure >"$log" 2>&1
    local status=$?
    ((status == 0)) || cp "$log" "$kept"
    # ctest lists skipped tests beside failed ones; a skip is no failure.
    grep -E '^\s+[0-9]+ - ' "$log" | grep -vE '\((Skipped|Disabled)\)$' |
        sed -E 's/^\s+[0-9]+ - //; s/ +# GetParam.*$//; s/ \([^()]*\)$//'
    if ((status != 0)) && ! grep -E '^\s+[0-9]+ - ' "$log" | grep -qvE '\((Skipped|Disabled)\)$'; then
        echo "(ctest could not run: status $status)"
    fi
}

conditions=(
    "as it is"
    "LANG=C.UTF-8"
    "LANG=de_DE.UTF-8"
    "TZ=Pacific/Chatham"
    "one core (taskset -c 0)"
    "both cores busy (stress-ng --cpu 2)"
    "HOME not writable"
    "checkout path with space and umlaut"
)

declare -A failures names
selected=()
for condition in "${conditions[@]}"; do
    [[ -z "$only" || "$condition" =~ $only ]] && selected+=("$condition")
done
conditions=("${selected[@]}")

for condition in "${conditions[@]}"; do
    failures[$condition]=0
    names[$condition]=""
    dir=$build
    prefix=(env)
    case $condition in
        LANG=*) prefix=(env LC_ALL= "$condition") ;;
        TZ=*) prefix=(env "$condition") ;;
        "one core"*) prefix=(taskset -c 0) ;;
        "both cores busy"*)
            stress-ng --cpu 2 --quiet &
            stress_pid=$!
            ;;
        "HOME not writable") prefix=(run_with_readonly_home) ;;
        "checkout path"*)
            if ! prepare_odd_path >"$logs/checkout_path_build.log" 2>&1; then
                failures[$condition]=$runs
                names[$condition]="(the copy did not build: see build/portability/checkout_path_build.log)"
                continue
            fi
            dir="$odd_path/build/default"
            ;;
    esac
    for ((run = 1; run <= runs; ++run)); do
        echo "== $condition, run $run of $runs" >&2
        failed=$(suite "$dir" "$logs/$(echo "$condition" | tr -c 'A-Za-z0-9\n' '_')-$run.log" \
            "${prefix[@]}")
        if [[ -n "$failed" ]]; then
            failures[$condition]=$((failures[$condition] + 1))
            names[$condition]+="$failed"$'\n'
        fi
    done
    if [[ -n "$stress_pid" ]]; then
        kill "$stress_pid" 2>/dev/null
        wait "$stress_pid" 2>/dev/null
        stress_pid=
    fi
done

echo
printf '| %-38s | %-4s | %-8s | %s\n' "condition" "runs" "failures" "failing tests"
printf '|%s|%s|%s|%s\n' "$(printf -- '-%.0s' {1..40})" "------" "----------" "---"
total=0
for condition in "${conditions[@]}"; do
    printf '| %-38s | %-4s | %-8s | %s\n' "$condition" "$runs" "${failures[$condition]}" \
        "$(printf '%s' "${names[$condition]}" | sort -u | grep -v '^$' | paste -sd ',' - | sed 's/,/, /g')"
    total=$((total + failures[$condition]))
done
((total == 0))
