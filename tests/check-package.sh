#!/bin/sh
# Fails when a package lacks a license text or a notice: lists it and looks for each.
#   tests/check-package.sh build-windows/VORN-*.zip | build-test/vorn_*.deb
set -eu
case $1 in
*.zip)
    listing=$(cmake -E tar tf "$1")
    set -- "$1" NOTICE.txt LICENSES/VORN-MIT.txt LICENSES/LGPL-3.0.txt LICENSES/GPL-3.0.txt \
        LICENSES/GCC-exception-3.1.txt LICENSES/GCC-runtime-copyright.txt LICENSES/Qt-copyright.txt \
        LICENSES/mingw-w64-copyright.txt LICENSES/qt-windows/build-qt-windows.sh ;;
*.deb)
    listing=$(dpkg-deb -c "$1")
    set -- "$1" usr/share/doc/vorn/copyright usr/share/doc/vorn/changelog.gz \
        usr/share/man/man1/vorn.1.gz usr/share/man/man1/vorn-sample-rom.1.gz ;;
*)
    echo "usage: $0 package.zip|package.deb" >&2; exit 2 ;;
esac
package=$1; shift
missing=0
for name; do
    printf '%s\n' "$listing" | grep -q -- "/$name\$" || { echo "$package lacks $name" >&2; missing=1; }
done
exit $missing
