#!/bin/bash
# The message boxes on a real X server: once without a window manager, once framed by
# openbox, whose margins make the work area smaller than the screen. Exit 77: skipped.
# Needs the Debian packages xvfb, xauth (xvfb-run), openbox and x11-utils (xprop).
set -u
test=$(readlink -f "$1")
if [ "${VORN_IN_XVFB:-}" != 1 ]; then
    for tool in xvfb-run xauth openbox xprop; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
    VORN_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$(readlink -f "$0")" "$test"
fi
export QT_QPA_PLATFORM=xcb
if ! out=$(timeout 30 "$test" -functions 2>&1) && grep -q 'platform plugin' <<<"$out"; then
    echo "SKIP: Qt cannot start on X11 here (Debian: qt6-qpa-plugins)"; exit 77
fi

echo "== without a window manager"
timeout 60 "$test" realMessageBoxes || exit 1

config=$(mktemp) || exit 1
trap 'rm -f "$config"; [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null' EXIT
printf '%s\n' '<openbox_config xmlns="http://openbox.org/3.4/rc">' \
    '<margins><top>40</top><left>100</left><right>0</right><bottom>0</bottom></margins>' \
    '</openbox_config>' >"$config"
openbox --config-file "$config" & wm=$!
for _ in $(seq 100); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 100, 40, 1820, 1040' && break
    sleep 0.1
done
xprop -root _NET_WORKAREA | grep -q '= 100, 40, 1820, 1040' \
    || { echo "openbox did not set its work area: $(xprop -root _NET_WORKAREA)"; exit 1; }
echo "== under openbox, work area 100,40 1820x1040 on a 1920x1080 screen"
timeout 60 "$test" realMessageBoxes
