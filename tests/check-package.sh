#!/bin/sh
# Fails when a package lacks a license text or a notice, or names a placeholder address;
# for the .deb also when a program lacks PIE, stack protector, RELRO or immediate binding.
#   tests/check-package.sh build-windows/VORN-*.zip | build-test/vorn_*.deb
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
case $1 in
*.zip)
    (cd "$tmp" && cmake -E tar xf "$(readlink -f "$1")")
    set -- "$1" NOTICE.txt LICENSES/VORN-MIT.txt LICENSES/LGPL-3.0.txt LICENSES/GPL-3.0.txt \
        LICENSES/GCC-exception-3.1.txt LICENSES/GCC-runtime-copyright.txt LICENSES/Qt-copyright.txt \
        LICENSES/mingw-w64-copyright.txt LICENSES/qt-windows/build-qt-windows.sh ;;
*.deb)
    dpkg-deb -R "$1" "$tmp"
    set -- "$1" usr/share/doc/vorn/copyright usr/share/doc/vorn/changelog.gz \
        usr/share/man/man1/vorn.1.gz usr/share/man/man1/vorn-sample-rom.1.gz ;;
*)
    echo "usage: $0 package.zip|package.deb" >&2; exit 2 ;;
esac
package=$1; shift
failed=0
for name; do
    [ -n "$(find "$tmp" -path "*/$name")" ] || { echo "$package lacks $name" >&2; failed=1; }
done
if grep -rl 'example\.org' "$tmp" >&2; then
    echo "$package names example.org in the files above" >&2; failed=1
fi
# The changelog's date, which Debian wants in RFC 2822, is the date the man pages carry.
if [ -d "$tmp/usr/bin" ]; then
    changed=$(zcat "$tmp/usr/share/doc/vorn/changelog.gz" | sed -n 's/^ -- .*>  //p' | head -1)
    released=$(zcat "$tmp/usr/share/man/man1/vorn.1.gz" | awk '/^\.TH/ {print $4; exit}')
    [ "$(date -u -d "$changed" +%F)" = "$released" ] \
        || { echo "the changelog's date $changed is not the release date $released" >&2; failed=1; }
fi
# Not judged: fortify, as these programs make no call whose buffer size the compiler knows
# (-v lists them), and control-flow protection, which Debian 12's C start files lack.
if [ -d "$tmp/usr/bin" ] && ! hardening-check -v --nofortify --nocfprotection "$tmp"/usr/bin/*; then
    echo "$package holds programs built without some hardening" >&2; failed=1
fi
exit $failed
