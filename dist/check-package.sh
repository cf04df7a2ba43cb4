#!/bin/sh
# Fails when a package lacks a program, a library, a license text or a notice, or leaks a
# placeholder; for the .deb also when a program lacks PIE, stack protector, RELRO or
# immediate binding.
#   dist/check-package.sh VORN-*-windows-x64.zip | vorn_*.deb | VORN-*-macos.dmg
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
case $1 in
*.zip)
    zip=$(readlink -f "$1")
    (cd "$tmp" && cmake -E tar xf "$zip")
    set -- "$1" VORN.exe vorn-sample-rom.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
        styles/qwindowsvistastyle.dll imageformats/qico.dll NOTICE.txt LICENSES/VORN-MIT.txt \
        LICENSES/LGPL-3.0.txt LICENSES/GPL-3.0.txt
    # Built by mingw-w64 on Debian, or by Visual C++ on Windows.
    if [ -n "$(find "$tmp" -name libstdc++-6.dll)" ]; then
        set -- "$@" libgcc_s_seh-1.dll libwinpthread-1.dll LICENSES/GCC-exception-3.1.txt \
            LICENSES/GCC-runtime-copyright.txt LICENSES/Qt-copyright.txt \
            LICENSES/mingw-w64-copyright.txt LICENSES/qt-windows/build-qt-windows.sh
    else
        set -- "$@" vcruntime140.dll msvcp140.dll
    fi ;;
*.deb)
    dpkg-deb -R "$1" "$tmp"
    find "$tmp" -name '*.gz' -exec gzip -dk {} +
    set -- "$1" usr/bin/vorn usr/bin/vorn-sample-rom usr/share/doc/vorn/copyright \
        usr/share/doc/vorn/changelog.gz usr/share/man/man1/vorn.1.gz usr/share/man/man1/vorn-sample-rom.1.gz ;;
*.dmg)
    hdiutil attach -nobrowse -readonly -mountpoint "$tmp/image" "$1" >/dev/null
    trap 'hdiutil detach -quiet "$tmp/image"; rm -rf "$tmp"' EXIT
    set -- "$1" VORN.app/Contents/MacOS/VORN VORN.app/Contents/MacOS/vorn-sample-rom \
        VORN.app/Contents/Frameworks/QtWidgets.framework VORN.app/Contents/PlugIns/platforms/libqcocoa.dylib \
        NOTICE.txt LICENSES/VORN-MIT.txt LICENSES/LGPL-3.0.txt LICENSES/GPL-3.0.txt ;;
*)
    echo "usage: $0 package.zip|package.deb|package.dmg" >&2; exit 2 ;;
esac
package=$1; shift
failed=0
for name; do
    [ -n "$(find "$tmp" -path "*/$name")" ] || { echo "$package lacks $name" >&2; failed=1; }
done
# What VORN could leak, in its programs and texts (not the libraries or license texts of
# others): a documentation address, a made-up web address (a reserved name as a mail address
# is deliberate: the default maintainer's), a local one; in a text, a template variable.
address='example\.(org|com|net)|vorn\.example|https?://(localhost|[^/[:space:]]*\.(example|invalid|test|localhost))'
own=$(find "$tmp" -type f \( -iname vorn -o -iname vorn.exe -o -name 'vorn-sample-rom*' \))
# shellcheck disable=SC2086 # one name per program, none with a space
leaks=$({ grep -roIE --exclude-dir=Frameworks --exclude-dir=PlugIns --exclude-dir=homebrew "$address|@[A-Z_]+@" "$tmp" || :; grep -oaHE "$address" $own || :; } | sed "s|^$tmp/||" | sort -u)
[ -z "$leaks" ] || { printf '%s leaks a placeholder:\n%s\n' "$package" "$leaks" >&2; failed=1; }
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
