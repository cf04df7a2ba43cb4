#!/usr/bin/env bash
# Builds the Qt for Windows that VORN's Windows build and ZIP use: qtbase from Debian's own
# source package, cross-compiled for 64-bit Windows with Debian's mingw-w64, with Debian's
# Qt of the same version as the host tools (moc, rcc, uic).
# The file version beside this script names the version, for everything that needs it.
#
#   dist/windows/qt/build-qt-windows.sh [WORKDIR]     (default: build-qt-recipe)
#
# Leaves WORKDIR/qt6-mingw-<QT_VERSION>.tar.xz, which unpacks to qt6-mingw/ and works from any
# folder; give it to the test command with VORN_QT_WINDOWS=WORKDIR/qt6-mingw-<QT_VERSION>.tar.xz.
# README.md beside this script says why each choice was made.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(realpath -m "${1:-build-qt-recipe}")
. "$here/version"
version=$QT_VERSION
debian_version=$QT_DEBIAN_VERSION     # the host Qt must be this very version
source_dir=$work/qtbase-everywhere-src-$version
prefix=$work/qt6-mingw
mkdir -p "$work/src"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(cmake ninja-build perl dpkg-dev patch xz-utils g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
host=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [ "$host" != "$debian_version" ]; then
    echo "the host Qt is $host; this recipe needs qt6-base-dev $debian_version" >&2
    exit 1
fi

# 1. Debian's source package: the exact source of the Qt that VORN's Windows ZIP ships.
orig=$work/src/qt6-base_${version}+dfsg.orig.tar.xz
if [ ! -f "$orig" ]; then
    if ! (cd "$work/src" && apt-get source --download-only "qt6-base=$debian_version"); then
        # Debian 12 images list binary packages only; add the matching source lines once.
        if [ -f /etc/apt/sources.list.d/debian.sources ] && [ ! -f /etc/apt/sources.list.d/debian-src.sources ]; then
            echo "adding deb-src entries (/etc/apt/sources.list.d/debian-src.sources)"
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
                | as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
            as_root apt-get update -qq
        fi
        (cd "$work/src" && apt-get source --download-only "qt6-base=$debian_version")
    fi
fi
if [ ! -d "$source_dir" ]; then
    tar -C "$work" -xf "$orig"
fi
for patch in "$here"/patches/*.patch; do
    if patch -d "$source_dir" -p1 -R --dry-run -s -f < "$patch" >/dev/null 2>&1; then
        echo "already applied: $(basename "$patch")"
    else
        patch -d "$source_dir" -p1 < "$patch"
    fi
done

# 2. The cross toolchain. Unlike VORN's own toolchain file, packages may also come from the
# host, because the Qt build looks for its host tools' CMake packages there.
toolchain=$work/mingw-w64-x86_64-posix.cmake
cat > "$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER   /usr/bin/x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  /usr/bin/x86_64-w64-mingw32-windres)
set(CMAKE_AR           /usr/bin/x86_64-w64-mingw32-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/x86_64-w64-mingw32-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP        /usr/bin/x86_64-w64-mingw32-strip CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(ENV{PKG_CONFIG_LIBDIR} "")
set(ENV{PKG_CONFIG_PATH} "")
EOF

# 3. Configure: shared Release libraries, only the modules and plugins VORN and its tests use,
# every third-party library from Qt's own bundled copy so that no extra DLL has to ship.
started=$(date +%s)
cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_direct2d1_1=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=ON -DFEATURE_png=ON \
    -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_textmarkdownreader=OFF \
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON \
    -DFEATURE_style_windows=ON -DFEATURE_style_windowsvista=ON \
    -DFEATURE_separate_debug_info=OFF -DFEATURE_debug_and_release=OFF

# 4. Build, install stripped, pack.
ninja -C "$work/build" -j "${JOBS:-$(nproc)}"
rm -rf "$prefix"
cmake --install "$work/build" --strip
find "$prefix" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
tar -C "$work" -cJf "$work/qt6-mingw-$version.tar.xz" qt6-mingw
echo "built in $(( $(date +%s) - started )) s: $work/qt6-mingw-$version.tar.xz"
