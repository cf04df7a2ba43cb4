# What the packages carry besides the programs: VORN's license and
#   on Linux, the .deb's copyright file, changelog and man pages;
#   on Windows and macOS, LICENSES/ and NOTICE.txt for everything the package ships.
# Configuring only registers the work: the files are written when installing or packaging,
# by this same file run from the install script with VORN_NOTICES set. All of it is the
# install component "notices", which the tests install on its own.

if(NOT DEFINED VORN_NOTICES)
    if(WIN32 OR APPLE)
        install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION LICENSES RENAME VORN-MIT.txt
            COMPONENT notices)
        install(FILES ${PROJECT_SOURCE_DIR}/data/licenses/LGPL-3.0.txt
            ${PROJECT_SOURCE_DIR}/data/licenses/GPL-3.0.txt DESTINATION LICENSES COMPONENT notices)
    endif()
    if(MSVC)
        # The Visual C++ runtime beside the programs, so they start on a bare Windows; the
        # universal C runtime is part of Windows 10 and later.
        set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
        set(CMAKE_INSTALL_SYSTEM_RUNTIME_COMPONENT notices)
        include(InstallRequiredSystemLibraries)
        set(VORN_RUNTIME_FILES)
        foreach(library ${CMAKE_INSTALL_SYSTEM_RUNTIME_LIBS})
            get_filename_component(name ${library} NAME)
            list(APPEND VORN_RUNTIME_FILES ${name})
        endforeach()
    endif()
    if(MINGW AND CMAKE_CROSSCOMPILING)
        include(${CMAKE_CURRENT_LIST_DIR}/WindowsRuntime.cmake)
    elseif(NOT WIN32 AND NOT APPLE)
        install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vorn COMPONENT notices)
    endif()
    string(REGEX MATCH "^[0-9]+\\.[0-9]+" VORN_QT_SERIES "${Qt6_VERSION}")
    set(code "")
    foreach(name PROJECT_SOURCE_DIR PROJECT_VERSION VORN_RELEASE_DATE VORN_RELEASE_EPOCH
            VORN_MAINTAINER VORN_SOURCE_URL VORN_LICENSE Qt6_VERSION VORN_QT_SERIES
            VORN_RUNTIME_FILES CMAKE_INSTALL_DOCDIR CMAKE_INSTALL_MANDIR WIN32 APPLE MSVC
            CMAKE_CXX_COMPILER CMAKE_STRIP)
        string(APPEND code "set(${name} [==[${${name}}]==])\n")
    endforeach()
    install(CODE "${code}set(VORN_NOTICES [==[${CMAKE_BINARY_DIR}/notices]==])
include([==[${CMAKE_CURRENT_LIST_FILE}]==])" COMPONENT notices)
    return()
endif()

# From here on the install script runs this file.
set(data ${PROJECT_SOURCE_DIR}/data)
set(prefix "${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY ${VORN_NOTICES})
set(CPACK_PACKAGE_CONTACT "${VORN_MAINTAINER}")

# LICENSE's copyright line and text, for the files that quote them.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" VORN_COPYRIGHT "${license}")
set(VORN_COPYRIGHT ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" license "${license}")
string(STRIP "${license}" license)
# As a copyright file's license paragraph: indented, blank lines as " .".
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " VORN_LICENSE_TEXT " ${license}")

if(NOT WIN32 AND NOT APPLE)
    set(VORN_SOURCE_FIELD "")
    if(VORN_SOURCE_URL)
        set(VORN_SOURCE_FIELD "Source: ${VORN_SOURCE_URL}\n")
    endif()
    # The install script runs inside CPack, which stamps the package's files with the time
    # in SOURCE_DATE_EPOCH: it gets it back afterwards.
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} ${VORN_RELEASE_EPOCH})
    string(TIMESTAMP VORN_RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
    configure_file(${data}/debian/copyright.in ${VORN_NOTICES}/copyright @ONLY)
    configure_file(${data}/debian/changelog.in ${VORN_NOTICES}/changelog @ONLY)
    foreach(page vorn.1 vorn-sample-rom.1)
        configure_file(${data}/man/${page}.in ${VORN_NOTICES}/${page} @ONLY)
    endforeach()
    # Debian wants them compressed at the highest level and without a time stamp.
    set(ENV{SOURCE_DATE_EPOCH} 0)
    foreach(file changelog vorn.1 vorn-sample-rom.1)
        file(ARCHIVE_CREATE OUTPUT ${VORN_NOTICES}/${file}.gz PATHS ${VORN_NOTICES}/${file}
            FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9)
    endforeach()
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    file(INSTALL ${VORN_NOTICES}/copyright ${VORN_NOTICES}/changelog.gz
        DESTINATION ${prefix}/${CMAKE_INSTALL_DOCDIR})
    file(INSTALL ${VORN_NOTICES}/vorn.1.gz ${VORN_NOTICES}/vorn-sample-rom.1.gz
        DESTINATION ${prefix}/${CMAKE_INSTALL_MANDIR}/man1)
    return()
endif()

set(VORN_SOURCE_LINE "")
if(VORN_SOURCE_URL)
    set(VORN_SOURCE_LINE "    Source: ${VORN_SOURCE_URL}, version ${PROJECT_VERSION}.\n")
endif()
set(VORN_QT_FILES "Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms/, styles/, imageformats/")
set(VORN_PLATFORM Windows)
set(VORN_PROGRAMS "VORN.exe, vorn-sample-rom.exe")
if(APPLE)
    set(VORN_QT_FILES "QtCore, QtGui, QtWidgets (VORN.app/Contents/Frameworks), VORN.app/Contents/PlugIns")
    set(VORN_PLATFORM macOS)
    set(VORN_PROGRAMS "VORN.app, VORN.app/Contents/MacOS/vorn-sample-rom")
    set(parts vorn qt-upstream macos-runtime)
    # Each library macdeployqt brought from Homebrew with the license files of its formula.
    execute_process(COMMAND brew --prefix OUTPUT_VARIABLE brew OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(GLOB libraries "$ENV{DESTDIR}${prefix}/VORN.app/Contents/Frameworks/*.dylib")
    foreach(library ${libraries})
        get_filename_component(name ${library} NAME)
        file(GLOB kegs "${brew}/opt/*/lib/${name}")
        foreach(keg ${kegs})
            string(REGEX REPLACE "/lib/[^/]*$" "" keg ${keg})
            get_filename_component(formula ${keg} NAME)
            file(GLOB texts "${keg}/LICENSE*" "${keg}/COPYING*" "${keg}/NOTICE*" "${keg}/COPYRIGHT*")
            file(INSTALL ${texts} DESTINATION ${prefix}/LICENSES/homebrew/${formula})
        endforeach()
    endforeach()
elseif(MSVC)
    list(JOIN VORN_RUNTIME_FILES ", " VORN_RUNTIME_FILES)
    set(parts vorn qt-upstream msvc-runtime)
else()
    set(parts vorn qt-debian mingw-runtime)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsRuntime.cmake)
endif()

file(WRITE ${VORN_NOTICES}/NOTICE.txt "")
foreach(part ${parts})
    configure_file(${data}/notice/${part}.txt.in ${VORN_NOTICES}/${part}.txt @ONLY)
    file(READ ${VORN_NOTICES}/${part}.txt text)
    file(APPEND ${VORN_NOTICES}/NOTICE.txt "${text}")
endforeach()
file(INSTALL ${VORN_NOTICES}/NOTICE.txt DESTINATION ${prefix})
