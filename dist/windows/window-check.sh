#!/bin/bash
# Starts a deployed Windows program under Wine, in a fresh prefix (or VORN_CHECK_WINEPREFIX)
# on a private Xvfb, and exits 0 only if a window titled exactly TITLE shows up within
# VORN_WINDOW_TIMEOUT seconds (default 60); SHOT.png gets a picture of it.
#   dist/windows/window-check.sh DIR EXE TITLE [SHOT.png]
set -u
[ $# -ge 3 ] || { echo "usage: $0 DIR EXE TITLE [SHOT.png]" >&2; exit 2; }
# DISPLAY must be set before the prefix's wineserver starts, so run all of it inside Xvfb.
if [ -z "${VORN_IN_XVFB:-}" ]; then
    VORN_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$(readlink -f "$0")" "$@"
fi
dir=$(readlink -f "$1") exe=$2 title=$3 shot=${4:+$(readlink -m "$4")}
wine=${VORN_WINE:-/usr/lib/wine/wine64}
wineserver=${VORN_WINESERVER:-/usr/lib/wine/wineserver}
tmp=$(mktemp -d)
export WINEPREFIX=${VORN_CHECK_WINEPREFIX:-$tmp/prefix} WINEARCH=win64 WINEDEBUG=-all,err+module \
       WINEDLLOVERRIDES="mscoree,mshtml="
# Only what the folder itself holds may be used, as after a double-click.
unset WINEPATH ${!WINEQT_@}
# Wine passes WINEQT_* on as QT_*; a GUI program logs to OutputDebugString unless forced.
export WINEQT_QPA_PLATFORM=windows WINEQT_FORCE_STDERR_LOGGING=1
trap '"$wineserver" -k 2>/dev/null; "$wineserver" -w; rm -rf "$tmp"' EXIT

{ timeout 120 "$wine" wineboot --init && "$(dirname "$(readlink -f "$0")")/../../scripts/wine-fonts.sh" "$WINEPREFIX"; } \
    >"$tmp/wineboot.log" 2>&1 \
    || { echo "could not create $WINEPREFIX:" >&2; cat "$tmp/wineboot.log" >&2; exit 1; }

cd "$dir" || exit 1
"$wine" "$exe" >"$tmp/program.log" 2>&1 &
pid=$!
id= end=$((SECONDS + ${VORN_WINDOW_TIMEOUT:-60}))
while ((SECONDS < end)); do
    # the title is quoted in xwininfo's output, which makes the match exact
    for w in $(xwininfo -root -tree | grep -F "\"$title\": (" | awk '{print $1}'); do
        xwininfo -id "$w" | grep -q 'Map State: IsViewable' && { id=$w; break 2; }
    done
    kill -0 $pid 2>/dev/null || break
    sleep 0.25
done
if [ -z "$id" ]; then
    echo "no window \"$title\" from $exe; program output:" >&2
    cat "$tmp/program.log" >&2
    # the whole screen shows what came instead, e.g. an error box
    [ -n "$shot" ] && import -window root "$shot" && echo "screen: $shot" >&2
    exit 1
fi
echo "window \"$title\" appeared: $id, $(xwininfo -id "$id" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')"
if [ -n "$shot" ]; then
    sleep 1   # let the first paint finish
    import -window "$id" "$shot" && echo "screenshot: $shot"
fi
exit 0
