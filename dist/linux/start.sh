#!/bin/sh
# Installs the .deb as a user would and starts vorn offscreen: it must still be running after
# 3 seconds. As root with apt-get, which proves the dependencies resolve, and removed again;
# otherwise, or where a vorn package is installed already, unpacked into a temporary folder.
#   dist/linux/start.sh vorn_*.deb
set -eu
deb=$(readlink -f "$1") root=$(mktemp -d)
if [ "$(id -u)" = 0 ] && ! dpkg-query -W vorn >/dev/null 2>&1; then
    trap 'apt-get remove -y -qq vorn >/dev/null; rm -rf "$root"' EXIT
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=120 "$deb" >/dev/null
    vorn=/usr/bin/vorn
else
    trap 'rm -rf "$root"' EXIT
    dpkg-deb -x "$deb" "$root"
    vorn=$root/usr/bin/vorn
fi
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$vorn" || status=$?
[ $status = 124 ] || { echo "$vorn from $1 ended within 3 seconds, status $status" >&2; exit 1; }
echo "$vorn from $1 still running after 3 seconds"
