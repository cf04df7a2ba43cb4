#!/bin/bash
# Runs a cross-built Windows program under Wine; CMake uses it as the cross-compiling
# emulator, so CTest calls it as: wine-run.sh prog.exe [args...]
#   VORN_WINEPREFIX      Wine prefix (default: wineprefix/ in the build folder, the first
#                        folder above the exe holding CMakeCache.txt); made on first use
#   VORN_QT_WINDOWS_BIN  folder of Qt6*.dll (default: bin/ of the Qt that CMakeCache.txt names)
set -u
[ $# -ge 1 ] || { echo "usage: $0 prog.exe [args...]" >&2; exit 2; }
exe=$(readlink -f "$1") && shift || exit 2
wine=${VORN_WINE:-/usr/lib/wine/wine64}   # Debian keeps the loader off PATH
wineserver=${VORN_WINESERVER:-/usr/lib/wine/wineserver}

build=$(dirname "$exe")
while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
[ -f "$build/CMakeCache.txt" ] || build=$(dirname "$exe")

# WINEPREFIX of the caller is ignored on purpose: tests never touch someone's ~/.wine.
export WINEPREFIX=${VORN_WINEPREFIX:-$build/wineprefix} WINEARCH=win64
# err+module: a missing DLL is named instead of a bare exit code 53; the overrides keep
# wineboot from offering to install Mono/Gecko.
export WINEDEBUG=${WINEDEBUG:--all,err+module} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Parallel tests on a fresh prefix: one creates it, the others wait on the lock. It gets
# Wine's own fonts and the null display driver, so tests on Qt's windows platform need no X
# server; a prefix made before either was added is completed.
ready=$WINEPREFIX/.ready-null-display
if [ ! -f "$ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$ready" ]; then
            { "$wine" wineboot --init && "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
                && "$wineserver" -w && "$(dirname "$(readlink -f "$0")")/wine-fonts.sh" "$WINEPREFIX"; } \
                >"$WINEPREFIX.log" 2>&1 && touch "$ready" \
                || { echo "wine-run.sh: could not create $WINEPREFIX, see $WINEPREFIX.log" >&2; exit 1; }
        fi
    ) 9>"$WINEPREFIX.lock" || exit 1
fi

# Qt and the mingw runtime DLLs are found through PATH inside Wine, so nothing is copied
# into the build tree. Qt finds its plugins from where Qt6Core.dll lies (../plugins).
qtbin=${VORN_QT_WINDOWS_BIN:-}
if [ -z "$qtbin" ]; then
    qtcore=$(sed -n 's/^Qt6Core_DIR:PATH=//p' "$build/CMakeCache.txt" 2>/dev/null)
    [ -d "$qtcore" ] && qtbin=$(readlink -f "$qtcore/../../../bin")
fi
cxx=/usr/bin/x86_64-w64-mingw32-g++-posix
winpath=
for d in "$qtbin" "$(dirname "$("$cxx" -print-file-name=libstdc++-6.dll)")" \
         "$(dirname "$(readlink -f "$("$cxx" -print-file-name=libwinpthread-1.dll)")")"; do
    [[ $d == /* ]] && winpath+="Z:${d//\//\\};"   # Wine's Z: is the Unix root
done
export WINEPATH="${WINEPATH:+$WINEPATH;}${winpath%;}"

# Wine drops QT_* variables of the Unix environment but passes WINEQT_* on as QT_*. Nothing
# else is added: the tests see what ctest gives them on Windows itself.
: "${QT_FORCE_STDERR_LOGGING:=1}"   # else QtTest writes to OutputDebugString only
export QT_FORCE_STDERR_LOGGING
for v in ${!QT_@}; do export "WINE$v=${!v}"; done

# Wine's helper processes (services.exe, explorer.exe, ...) outlive the program and keep the
# stdout/stderr of whichever process started the session, so CTest would wait for them (and
# may report a timeout): start the session with stdio detached first.
"$wine" cmd /c exit </dev/null >/dev/null 2>&1
exec "$wine" "$exe" "$@"
