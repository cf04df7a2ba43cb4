# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix thread model, which the
# prebuilt Qt for Windows was built with). Give the Qt prefix with -DCMAKE_PREFIX_PATH=...
# plus -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VORN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   /usr/bin/${VORN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${VORN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  /usr/bin/${VORN_MINGW_TRIPLET}-windres)
set(CMAKE_AR           /usr/bin/${VORN_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${VORN_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP        /usr/bin/${VORN_MINGW_TRIPLET}-strip CACHE FILEPATH "")

# Headers, libraries and packages come only from the mingw sysroot and the given prefixes:
# a host package (doctest's, for one) would put /usr/include on the cross compiler's path.
# Programs (moc, rcc, ...) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${VORN_MINGW_TRIPLET})
# With PACKAGE ONLY, find_package() reroots CMAKE_PREFIX_PATH under these roots, so the
# prefixes (e.g. the Qt for Windows) must be roots themselves to be found.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} "")   # nor may pkg-config hand out Linux libraries
set(ENV{PKG_CONFIG_PATH} "")

# add_test(NAME x COMMAND target) then runs the .exe under Wine.
get_filename_component(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh" ABSOLUTE)
