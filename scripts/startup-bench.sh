#!/usr/bin/env bash
# How fast the editor starts and how much memory it takes, against the same widgets with
# no code behind them (bench/same-widgets.cpp) and against a bare Qt window
# (bench/bare-window.cpp), all under one Xvfb server in the same run:
#   - start-up: from starting the process to its window being mapped on the screen;
#   - memory: peak resident set size (max RSS) of a run ended 0.5 s after the window shows,
#     so the first paint is in it.
# Each is the median of N runs, the programs taking turns after one warm-up run each.
# The goal is against the same widgets: creating and painting those is the least the
# editor can cost, so what it takes beyond them is its own. The ratios to the bare window
# show how much those widgets cost on their own; the bare window with a label and a field
# (--text) shows how much of that is loading fonts, which any window with text does.
#   scripts/startup-bench.sh [build-dir [runs]]      (defaults: build, 10)
# Needs the Debian packages xvfb and xauth (xvfb-run), x11-utils (xev, xwininfo) and
# time (/usr/bin/time); the build needs libbenchmark-dev for the two bench programs.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "${BASH_SOURCE[0]}")/.."

Title='Zephyra Password Editor'
BareTitle='VORN bare window'
SameTitle='VORN same widgets'
Goal=1.15
Settle=0.5

if [ "${1:-}" != --under-xvfb ]; then
    build=${1:-build}
    runs=${2:-10}
    [[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "runs must be a positive number, not '$runs'" >&2; exit 2; }
    for tool in xvfb-run xev xwininfo /usr/bin/time; do
        command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb xauth x11-utils time" >&2; exit 1; }
    done
    [ -f "$build/CMakeCache.txt" ] || { echo "no build in '$build': configure it with cmake first" >&2; exit 1; }
    cmake --build "$build" --target vorn vorn-bare-window vorn-same-widgets >/dev/null
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --under-xvfb "$build" "$runs"
fi

build=$2
runs=$3
vorn=$build/src/vorn
bare=$build/bench/vorn-bare-window
same=$build/bench/vorn-same-widgets
work=$(mktemp -d)

# xev reports every window mapped on the screen, so no polling delays the measurement.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
xev_pid=$XEV_PID
cleanup() {
    kill "$xev_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

micros() { # $EPOCHREALTIME as whole microseconds
    local t=$1
    echo $(( ${t%.*} * 1000000 + 10#${t#*.} ))
}

# Runs a program until its window is mapped, and a moment longer; sets `ms` and `kb`.
one_run() { # title program [arguments...]
    local title=$1 line shown='' window start timer child
    shift
    while IFS= read -r -t 0.05 -u "${XEV[0]}" line; do :; done
    start=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1 &
    timer=$!
    while IFS= read -r -t 30 -u "${XEV[0]}" line; do
        if [[ $line == MapNotify* ]]; then
            shown=$EPOCHREALTIME
        elif [[ -n $shown && $line =~ window\ (0x[0-9a-f]+),\ override\ NO ]]; then
            window=${BASH_REMATCH[1]}
            xwininfo -id "$window" 2>/dev/null | grep -qF "\"$title\"" && break
            shown=''
        fi
    done
    [ -n "$shown" ] || { echo "$* showed no window named '$title'" >&2; exit 1; }
    sleep "$Settle"
    child=$(pgrep -P "$timer" || true)
    [ -n "$child" ] && kill "$child"
    wait "$timer" || true
    ms=$(awk -v us=$(( $(micros "$shown") - $(micros "$start") )) 'BEGIN { printf "%.1f", us / 1000 }')
    kb=$(tail -n 1 "$work/rss")
}

median() { # numbers...
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio_line() { # label measured baseline unit [goal]
    awk -v label="$1" -v a="$2" -v b="$3" -v unit="$4" -v goal="${5:-}" 'BEGIN {
        r = a / b
        printf "ratio %s: %.2f (%s %s / %s %s)", label, r, a, unit, b, unit
        if (goal != "")
            printf " (goal <= %.2f: %s)\n", goal, (r <= goal) ? "met" : "MISSED"
        else
            printf " (no goal)\n"
    }'
}

echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Qt: $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)"
echo "runs: $runs of each, under Xvfb without a window manager, after one warm-up run each"

one_run "$Title" "$vorn"
one_run "$BareTitle" "$bare"
one_run "$BareTitle" "$bare" --text
one_run "$SameTitle" "$same"
vorn_ms=() vorn_kb=() bare_ms=() bare_kb=() text_ms=() text_kb=() same_ms=() same_kb=()
for (( i = 1; i <= runs; i++ )); do
    one_run "$Title" "$vorn"
    vorn_ms+=("$ms") vorn_kb+=("$kb")
    one_run "$BareTitle" "$bare"
    bare_ms+=("$ms") bare_kb+=("$kb")
    one_run "$BareTitle" "$bare" --text
    text_ms+=("$ms") text_kb+=("$kb")
    one_run "$SameTitle" "$same"
    same_ms+=("$ms") same_kb+=("$kb")
done

echo "vorn          start-up ms: ${vorn_ms[*]}"
echo "same widgets  start-up ms: ${same_ms[*]}"
echo "bare          start-up ms: ${bare_ms[*]}"
echo "bare+text     start-up ms: ${text_ms[*]}"
echo "vorn          max RSS KiB: ${vorn_kb[*]}"
echo "same widgets  max RSS KiB: ${same_kb[*]}"
echo "bare          max RSS KiB: ${bare_kb[*]}"
echo "bare+text     max RSS KiB: ${text_kb[*]}"
vms=$(median "${vorn_ms[@]}") sms=$(median "${same_ms[@]}")
bms=$(median "${bare_ms[@]}") tms=$(median "${text_ms[@]}")
vkb=$(median "${vorn_kb[@]}") skb=$(median "${same_kb[@]}")
bkb=$(median "${bare_kb[@]}") tkb=$(median "${text_kb[@]}")
echo "median start-up: vorn $vms ms, same widgets $sms ms, bare $bms ms, bare+text $tms ms"
echo "median max RSS:  vorn $vkb KiB, same widgets $skb KiB, bare $bkb KiB, bare+text $tkb KiB"
ratio_line "start-up vorn/same widgets" "$vms" "$sms" ms "$Goal"
ratio_line "max RSS vorn/same widgets" "$vkb" "$skb" KiB "$Goal"
ratio_line "start-up vorn/bare" "$vms" "$bms" ms
ratio_line "max RSS vorn/bare" "$vkb" "$bkb" KiB
ratio_line "start-up same widgets/bare" "$sms" "$bms" ms
ratio_line "max RSS same widgets/bare" "$skb" "$bkb" KiB
ratio_line "start-up vorn/bare+text" "$vms" "$tms" ms
ratio_line "max RSS vorn/bare+text" "$vkb" "$tkb" KiB
