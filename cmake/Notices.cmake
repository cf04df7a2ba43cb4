# What the packages carry besides the programs: VORN's license and
#   on Linux, the .deb's copyright file, changelog and man pages;
#   on Windows, LICENSES/ and NOTICE.txt for everything the ZIP ships. The third-party
#   texts are copied from the files Debian installs with the very packages the DLLs come
#   from, so they are found only in the cross build on Debian.

set(VORN_NOTICES ${CMAKE_BINARY_DIR}/notices)
file(MAKE_DIRECTORY ${VORN_NOTICES})

# LICENSE's copyright line and text, for the files that quote them.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" VORN_COPYRIGHT "${license}")
set(VORN_COPYRIGHT ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" license "${license}")
string(STRIP "${license}" license)
# As a copyright file's license paragraph: indented, blank lines as " .".
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " VORN_LICENSE_TEXT " ${license}")

# Debian wants these compressed at the highest level and without a time stamp (-n), which
# also keeps rebuilt packages identical.
function(vorn_gzip file)
    execute_process(COMMAND gzip -9nf ${file} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip failed on ${file}")
    endif()
endfunction()

if(NOT WIN32 AND NOT APPLE)
    execute_process(COMMAND date -u -R -d ${VORN_RELEASE_DATE}
        OUTPUT_VARIABLE VORN_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    configure_file(${VORN_DATA_DIR}/debian/copyright.in ${VORN_NOTICES}/copyright @ONLY)
    configure_file(${VORN_DATA_DIR}/debian/changelog.in ${VORN_NOTICES}/changelog @ONLY)
    vorn_gzip(${VORN_NOTICES}/changelog)
    install(FILES ${VORN_NOTICES}/copyright ${VORN_NOTICES}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
    foreach(page vorn.1 vorn-sample-rom.1)
        configure_file(${VORN_DATA_DIR}/man/${page}.in ${VORN_NOTICES}/${page} @ONLY)
        vorn_gzip(${VORN_NOTICES}/${page})
        install(FILES ${VORN_NOTICES}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    install(FILES ${VORN_DATA_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vorn)
endif()

if(NOT WIN32)
    return()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION LICENSES RENAME VORN-MIT.txt)
if(NOT (MINGW AND CMAKE_CROSSCOMPILING))
    message(WARNING "The third-party license texts and NOTICE.txt are collected only by the "
        "cross build on Debian: add those of the Qt and the runtime you ship by hand.")
    return()
endif()

# Version of an installed Debian package, and its source package and version.
function(vorn_debian_package package prefix)
    execute_process(COMMAND dpkg-query -W "-f=\${Version}|\${source:Package}|\${source:Version}" ${package}
        OUTPUT_VARIABLE fields RESULT_VARIABLE failed)
    if(failed)
        message(WARNING "${package} is not installed: its notice is missing from the ZIP")
        set(fields "?|?|?")
    endif()
    string(REPLACE "|" ";" fields "${fields}")
    list(GET fields 0 version)
    list(GET fields 1 source)
    list(GET fields 2 source_version)
    set(${prefix}_VERSION ${version} PARENT_SCOPE)
    set(${prefix}_SOURCE ${source} PARENT_SCOPE)
    set(${prefix}_SOURCE_VERSION ${source_version} PARENT_SCOPE)
endfunction()

# Qt: the recipe names the Debian source it builds from; the copyright file of the host's
# qt6-base, which the recipe requires to be that same version, describes it.
file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/qt-windows/build-qt-windows.sh VORN_QT_SOURCE_VERSION
    REGEX "^debian_version=")
string(REGEX REPLACE "^debian_version=([^ ]+).*" "\\1" VORN_QT_SOURCE_VERSION "${VORN_QT_SOURCE_VERSION}")
vorn_debian_package(libqt6core6 VORN_HOST_QT)
if(NOT VORN_HOST_QT_VERSION STREQUAL VORN_QT_SOURCE_VERSION)
    message(WARNING "The host's qt6-base is ${VORN_HOST_QT_VERSION}, the recipe builds "
        "${VORN_QT_SOURCE_VERSION}: LICENSES/Qt-copyright.txt may not match the Qt shipped")
endif()
vorn_debian_package(gcc-mingw-w64-x86-64-posix-runtime VORN_GCC)
# gcc-mingw-w64's binaries carry the version of the gcc source they are built from in front.
string(REGEX REPLACE "\\+${VORN_GCC_SOURCE_VERSION}.*" "" VORN_GCC_UPSTREAM_VERSION "${VORN_GCC_VERSION}")
vorn_debian_package(mingw-w64-x86-64-dev VORN_MINGW)

set(licenses
    /usr/share/common-licenses/LGPL-3 LGPL-3.0.txt
    /usr/share/common-licenses/GPL-3 GPL-3.0.txt
    /usr/share/doc/libqt6core6/copyright Qt-copyright.txt
    /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright GCC-runtime-copyright.txt
    /usr/share/doc/mingw-w64-x86-64-dev/copyright mingw-w64-copyright.txt)
while(licenses)
    list(POP_FRONT licenses from to)
    if(EXISTS ${from})
        install(FILES ${from} DESTINATION LICENSES RENAME ${to})
    else()
        message(WARNING "${from} not found: LICENSES/${to} is missing from the ZIP")
    endif()
endwhile()

# The exception on its own, cut verbatim out of GCC's copyright file.
set(gcc_copyright /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright)
if(EXISTS ${gcc_copyright})
    file(READ ${gcc_copyright} gcc_copyright)
endif()
string(REGEX MATCH "GCC RUNTIME LIBRARY EXCEPTION.*requirements of the license of GCC\\.\n"
    gcc_exception "${gcc_copyright}")
if(gcc_exception)
    file(WRITE ${VORN_NOTICES}/GCC-exception-3.1.txt "${gcc_exception}")
    install(FILES ${VORN_NOTICES}/GCC-exception-3.1.txt DESTINATION LICENSES)
else()
    message(WARNING "The GCC Runtime Library Exception is not in GCC's copyright file")
endif()

configure_file(${VORN_DATA_DIR}/NOTICE.txt.in ${VORN_NOTICES}/NOTICE.txt @ONLY)
install(FILES ${VORN_NOTICES}/NOTICE.txt DESTINATION .)
# The recipe and its patches: with Debian's source package, the exact source of the Qt DLLs.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/scripts/qt-windows DESTINATION LICENSES)
