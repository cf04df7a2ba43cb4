#!/usr/bin/env bash
# Pictures of the editor for README.md, taken in a real X server (Xvfb) with a window
# manager-free screen, from the build in ./build.
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
cmake --build "$build" --target vorn-screenshot >/dev/null
mkdir -p docs
xvfb-run -a -s "-screen 0 800x600x24" "$build/tools/vorn-screenshot" docs/screenshot-u.png docs/screenshot-j.png
echo "wrote docs/screenshot-u.png and docs/screenshot-j.png"
