# What VORN.exe needs beside it to start on a Windows machine with nothing installed, for
# builds made on Debian, where Qt's own deployment tool cannot run: the Qt libraries, the
# plugins for the screen, the native style and .ico images, and the compiler's runtime
# libraries; with the license texts and versions of each, taken from the files Debian
# installs with the very packages the DLLs come from. Included by Notices.cmake when
# configuring and again from the install script.

if(NOT DEFINED VORN_NOTICES)
    foreach(library Core Gui Widgets)
        install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
    endforeach()
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
    install(FILES $<TARGET_FILE:Qt6::QICOPlugin> DESTINATION imageformats)
    # The recipe and its patches: with Debian's source package, the exact source of the Qt DLLs.
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/scripts/qt-windows DESTINATION LICENSES
        COMPONENT notices)
    return()
endif()

# Version of an installed Debian package, and its source package and version.
function(vorn_debian_package package prefix)
    execute_process(COMMAND dpkg-query -W "-f=\${Version}|\${source:Package}|\${source:Version}" ${package}
        OUTPUT_VARIABLE fields RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${package} is not installed: the ZIP would lack its notice")
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
file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/qt-windows/version VORN_QT_SOURCE_VERSION
    REGEX "^QT_DEBIAN_VERSION=")
string(REGEX REPLACE "^QT_DEBIAN_VERSION=" "" VORN_QT_SOURCE_VERSION "${VORN_QT_SOURCE_VERSION}")
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
    /usr/share/doc/libqt6core6/copyright Qt-copyright.txt
    /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright GCC-runtime-copyright.txt
    /usr/share/doc/mingw-w64-x86-64-dev/copyright mingw-w64-copyright.txt)
while(licenses)
    list(POP_FRONT licenses from to)
    file(INSTALL ${from} DESTINATION ${prefix}/LICENSES RENAME ${to})
endwhile()

# The exception on its own, cut verbatim out of GCC's copyright file.
file(READ /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright gcc_copyright)
string(REGEX MATCH "GCC RUNTIME LIBRARY EXCEPTION.*requirements of the license of GCC\\.\n"
    gcc_exception "${gcc_copyright}")
if(NOT gcc_exception)
    message(FATAL_ERROR "The GCC Runtime Library Exception is not in GCC's copyright file")
endif()
file(WRITE ${VORN_NOTICES}/GCC-exception-3.1.txt "${gcc_exception}")
file(INSTALL ${VORN_NOTICES}/GCC-exception-3.1.txt DESTINATION ${prefix}/LICENSES)

foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${runtime} not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    # Debian ships them with their symbols, ten times their size.
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${VORN_NOTICES}/${runtime} ${path}
        COMMAND_ERROR_IS_FATAL ANY)
    file(INSTALL ${VORN_NOTICES}/${runtime} DESTINATION ${prefix})
endforeach()
