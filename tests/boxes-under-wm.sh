#!/bin/bash
# The message boxes on a real X server: without a window manager, then framed by openbox
# with margins that make the work area smaller than the screen. A missing tool exits with
# $VORN_MISSING_TOOL (default 77: skipped). The server keeps running between its clients
# (-noreset): a reset as the first test ends would turn openbox away.
# Needs the Debian packages xvfb, xauth, openbox and x11-utils.
set -u
test=$(readlink -f "$1")
if [ "${VORN_IN_XVFB:-}" != 1 ]; then
    for tool in xvfb-run xauth openbox xprop; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit "${VORN_MISSING_TOOL:-77}"; }
    done
    VORN_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$(readlink -f "$0")" "$test"
fi
export QT_QPA_PLATFORM=xcb
if ! out=$(timeout 30 "$test" -functions 2>&1) && grep -q 'platform plugin' <<<"$out"; then
    echo "SKIP: Qt cannot start on X11 here (Debian: qt6-qpa-plugins)"; exit 77
fi
timeout 60 "$test" realMessageBoxes || exit 1

config=$(mktemp) || exit 1
trap 'rm -f "$config"; kill "${wm:-}" 2>/dev/null' EXIT
echo '<openbox_config xmlns="http://openbox.org/3.4/rc"><margins><top>40</top><left>100</left></margins></openbox_config>' >"$config"
openbox --config-file "$config" & wm=$!
area='100, 40, 1820, 1040'
for _ in $(seq 100); do xprop -root _NET_WORKAREA | grep -q "$area" && break; sleep 0.1; done
xprop -root _NET_WORKAREA | grep -q "$area" || { echo "openbox set no work area of $area"; exit 1; }
echo "== under openbox, work area $area"
timeout 60 "$test" realMessageBoxes
