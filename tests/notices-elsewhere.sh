#!/bin/sh
# The notices of the MSVC ZIP and the macOS disk image, from the install scripts CMake writes
# for builds set up for those systems, with this machine's Qt standing in and Clang as
# MSVC: NOTICE.txt and every license text, and on Windows the Visual C++ runtime beside
# VORN.exe (found in a stand-in Visual Studio folder).
#   tests/notices-elsewhere.sh WORKDIR
set -eu
work=$1 source=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$work"
crt=$work/vs/VC/Redist/MSVC/14.40.0/x64/Microsoft.VC143.CRT
mkdir -p "$crt"
for dll in msvcp140.dll vcruntime140.dll vcruntime140_1.dll concrt140.dll; do echo stand-in > "$crt/$dll"; done
# Clang is clang-cl by that name.
ln -s "$(command -v clang)" "$work/clang-cl"
# Visual Studio is looked up in the registry, which only Windows has.
cat > "$work/vs.cmake" <<END
function(cmake_host_system_information RESULT var QUERY key)
    set(\${var} "$work/vs" PARENT_SCOPE)
endfunction()
END
qt="-DQt6_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6 -DOPENGL_gl_LIBRARY=/usr/lib/x86_64-linux-gnu/libGL.so"
qt="$qt -DOPENGL_INCLUDE_DIR=/usr/include -DVORN_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Release"
# Linking Qt's Linux libraries into a Windows program fails to generate; the install
# script is written all the same.
cmake -S "$source" -B "$work/msvc" $qt -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER="$work/clang-cl" -DCMAKE_CXX_FLAGS=-fms-compatibility-version=19.40 \
    -DCMAKE_AR=llvm-lib-14 -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY -DCMAKE_RC_COMPILER=true \
    -DCMAKE_PROJECT_INCLUDE="$work/vs.cmake" >"$work/msvc.log" 2>&1 || true
cmake -S "$source" -B "$work/macos" $qt -DCMAKE_SYSTEM_NAME=Darwin -DCMAKE_CXX_COMPILER=g++ \
    -DCMAKE_CXX_COMPILER_WORKS=ON -DCMAKE_OSX_SYSROOT=/ >"$work/macos.log" 2>&1 || true
failed=0
for system in msvc macos; do
    cmake --install "$work/$system" --component notices --prefix "$work/$system-installed" \
        >>"$work/$system.log" 2>&1 || { cat "$work/$system.log" >&2; exit 1; }
    expected="NOTICE.txt LICENSES/VORN-MIT.txt LICENSES/LGPL-3.0.txt LICENSES/GPL-3.0.txt"
    [ $system = msvc ] && expected="$expected msvcp140.dll vcruntime140.dll vcruntime140_1.dll"
    for file in $expected; do
        [ -f "$work/$system-installed/$file" ] || { echo "$system: no $file" >&2; failed=1; }
    done
    grep -q "Qt 6" "$work/$system-installed/NOTICE.txt" || { echo "$system: NOTICE names no Qt" >&2; failed=1; }
    echo "== $system: $(cd "$work/$system-installed" && find . -type f | sort | tr '\n' ' ')"
done
grep -q "vcruntime140.dll" "$work/msvc-installed/NOTICE.txt" \
    || { echo "msvc: NOTICE does not name the Visual C++ runtime" >&2; failed=1; }
exit $failed
