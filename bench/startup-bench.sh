#!/usr/bin/env bash
# The editor's start-up (process start to window mapped) and peak memory (of a run ended
# 0.5 s after that), medians of N runs under one Xvfb, against the same widgets with no code
# behind them (the goal's baseline) and a bare Qt window, alone and with a label and a field.
#   bench/startup-bench.sh [build-dir [runs]]      (defaults: build, 10)
# Needs xvfb, xauth, x11-utils and time; the build needs libbenchmark-dev.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "${BASH_SOURCE[0]}")/.."
Goal=1.15

if [ "${1:-}" != --under-xvfb ]; then
    build=${1:-build} runs=${2:-10}
    [[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "runs must be a positive number, not '$runs'" >&2; exit 2; }
    for tool in xvfb-run xev xwininfo /usr/bin/time; do
        command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb xauth x11-utils time" >&2; exit 1; }
    done
    [ -f "$build/CMakeCache.txt" ] || { echo "no build in '$build': configure it with cmake first" >&2; exit 1; }
    cmake --build "$build" --target vorn vorn-bare-window vorn-same-widgets >/dev/null
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" --under-xvfb "$build" "$runs"
fi
build=$2 runs=$3
# name, window title, program and its arguments
title=$(sed -n 's/^set(VORN_TITLE "\(.*\)")$/\1/p' CMakeLists.txt)
programs=("vorn|$title|$build/src/vorn" "same|VORN same widgets|$build/bench/vorn-same-widgets"
          "bare|VORN bare window|$build/bench/vorn-bare-window" "text|VORN bare window|$build/bench/vorn-bare-window --text")
work=$(mktemp -d)
# xev reports every window mapped on the screen, so no polling delays the measurement.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
trap 'kill $XEV_PID 2>/dev/null; rm -rf "$work"' EXIT

# Runs a program until its window is mapped, and a moment longer; sets `ms` and `kb`.
one_run() { # title program [arguments...]
    local title=$1 line shown='' start timer child
    shift
    while IFS= read -r -t 0.05 -u "${XEV[0]}" line; do :; done
    start=$EPOCHREALTIME
    /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1 &
    timer=$!
    while IFS= read -r -t 30 -u "${XEV[0]}" line; do
        if [[ $line == MapNotify* ]]; then
            shown=$EPOCHREALTIME
        elif [[ -n $shown && $line =~ window\ (0x[0-9a-f]+),\ override\ NO ]]; then
            xwininfo -id "${BASH_REMATCH[1]}" 2>/dev/null | grep -qF "\"$title\"" && break
            shown=''
        fi
    done
    [ -n "$shown" ] || { echo "$* showed no window named '$title'" >&2; exit 1; }
    sleep 0.5
    child=$(pgrep -P "$timer" || true)
    [ -n "$child" ] && kill "$child"
    wait "$timer" || true
    ms=$(awk -v s="$start" -v e="$shown" 'BEGIN { printf "%.1f", (e - s) * 1000 }')
    kb=$(tail -n 1 "$work/rss")
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Qt: $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)"
echo "runs: $runs of each, under Xvfb without a window manager, after one warm-up run each"
declare -A times sizes
for (( i = 0; i <= runs; i++ )); do
    for entry in "${programs[@]}"; do
        IFS='|' read -r name window command <<< "$entry"
        # shellcheck disable=SC2086 # the program and its arguments
        one_run "$window" $command
        (( i == 0 )) || { times[$name]+=" $ms"; sizes[$name]+=" $kb"; }
    done
done
declare -A mt mk
for name in vorn same bare text; do
    # shellcheck disable=SC2086 # one number a word
    mt[$name]=$(median ${times[$name]}) mk[$name]=$(median ${sizes[$name]})
    echo "$name start-up ms:${times[$name]} (median ${mt[$name]}); max RSS KiB:${sizes[$name]} (median ${mk[$name]})"
done
for name in same bare text; do
    awk -v n=$name -v t="${mt[vorn]}" -v tn="${mt[$name]}" -v k="${mk[vorn]}" -v kn="${mk[$name]}" -v goal=$Goal 'BEGIN {
        printf "ratio vorn/%s: start-up %.2f, max RSS %.2f", n, t / tn, k / kn
        if (n == "same") printf " (goal <= %.2f: %s)", goal, (t / tn <= goal && k / kn <= goal) ? "met" : "MISSED"
        print "" }'
done
