#!/bin/sh
# Makes the packages again from a copy of the sources in another folder, at another time, and
# compares them byte for byte with those this build made; diffoscope, where installed, shows
# what differs when they do.
#   dist/reproducible.sh BUILD GENERATOR PATTERN [the cmake options of BUILD...]
set -eu
build=$(readlink -f "$1") generator=$2 pattern=$3
shift 3
source=$(cd "$(dirname "$0")/.." && pwd)
again=$build/again
rm -rf "$again"
mkdir -p "$again/source"
# The files git would commit, or, outside a git checkout, all but the build folders.
if git -C "$source" rev-parse --show-toplevel >/dev/null 2>&1; then
    git -C "$source" ls-files -coz --exclude-standard | tar -C "$source" --null -T - -cf -
else
    tar -C "$source" --exclude='./build*' -cf - .
fi | tar -xf - -C "$again/source"
step() { # log, command...
    log=$again/$1; shift
    "$@" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
}
step configure.log cmake -S "$again/source" -B "$again/build" "$@"
step build.log cmake --build "$again/build" -j "$(nproc)" --target vorn vorn-sample-rom
cd "$again/build"
step cpack.log cpack -G "$generator"
for first in "$build"/$pattern; do
    second=$again/build/${first##*/}
    if cmp "$first" "$second"; then
        echo "${first##*/} is the same, built in $build and in $again/build"
    else
        command -v diffoscope >/dev/null && diffoscope "$first" "$second"
        exit 1
    fi
done
