#!/bin/sh
# Starts vorn as a user would, on an X server of its own, and requires its window: titled
# TITLE, of the class "VORN" with an icon, as task bars show it, still open after 3 seconds.
# A .deb is installed first: as root with apt-get, which proves its dependencies resolve,
# and removed again; otherwise, or where a vorn package is installed already, unpacked into
# a temporary folder.
#   dist/linux/start.sh vorn_*.deb|path/to/vorn TITLE
set -eu
if [ -z "${VORN_IN_XVFB:-}" ]; then
    VORN_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" sh "$0" "$@"
fi
program=$(readlink -f "$1") title=$2 root=$(mktemp -d)
case $program in
*.deb)
    if [ "$(id -u)" = 0 ] && ! dpkg-query -W vorn >/dev/null 2>&1; then
        trap 'apt-get remove -y -qq vorn >/dev/null; rm -rf "$root"' EXIT
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=120 "$program" >/dev/null
        vorn=/usr/bin/vorn
    else
        trap 'rm -rf "$root"' EXIT
        dpkg-deb -x "$program" "$root"
        vorn=$root/usr/bin/vorn
    fi ;;
*)
    trap 'rm -rf "$root"' EXIT
    vorn=$program ;;
esac
QT_QPA_PLATFORM=xcb "$vorn" >"$root/log" 2>&1 &
pid=$!
window=
for _ in $(seq 100); do
    window=$(xwininfo -root -tree | grep -F "\"$title\": (" | awk '{print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.1
done
sleep 3
if ! kill -0 $pid 2>/dev/null; then
    echo "$vorn from $1 ended within 3 seconds:" >&2; cat "$root/log" >&2; exit 1
fi
[ -n "$window" ] || { kill $pid; echo "$vorn from $1 showed no window \"$title\"" >&2; exit 1; }
properties=$(xprop -id "$window" WM_CLASS _NET_WM_ICON | cut -c1-200)
kill $pid
case $properties in
*'WM_CLASS(STRING) = '*'"VORN"'*'_NET_WM_ICON(CARDINAL) = '*) ;;
*) echo "the window of $vorn is not classed VORN with an icon: $properties" >&2; exit 1 ;;
esac
echo "$vorn from $1 showed \"$title\", classed VORN with an icon, and still ran after 3 seconds"
