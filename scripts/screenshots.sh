#!/usr/bin/env bash
# Pictures of the editor for README.md, taken in a real X server (Xvfb) with a window
# manager-free screen: (U) and (J) from the build in ./build, and the Windows build's
# VORN.exe started from its ZIP under Wine, when ./dev test has made that ZIP.
#   scripts/screenshots.sh [build-dir [windows-build-dir]]
# The Windows picture needs imagemagick (import).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
windows=${2:-build-windows}
cmake --build "$build" --target vorn-screenshot >/dev/null
mkdir -p docs
xvfb-run -a -s "-screen 0 800x600x24" "$build/tools/vorn-screenshot" docs/screenshot-u.png docs/screenshot-j.png
echo "wrote docs/screenshot-u.png and docs/screenshot-j.png"

zip=$(ls "$windows"/VORN-*-windows-x64.zip 2>/dev/null | head -n 1) || true
if [ -z "$zip" ]; then
    echo "no Windows ZIP in $windows (./dev test makes it): docs/screenshot-windows.png left as it is"
    exit 0
fi
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$(readlink -f "$OLDPWD/$zip")")
title=$(sed -n 's/^set(VORN_TITLE "\(.*\)")$/\1/p' CMakeLists.txt)
dist/windows/window-check.sh "$unpacked/$(basename "$zip" .zip)" VORN.exe "$title" \
    docs/screenshot-windows.png
