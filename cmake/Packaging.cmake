# Installation, desktop integration, checks of the desktop metadata and the packages:
# a .deb on Linux, a ZIP that runs by double-click on Windows, a disk image on macOS.
# All destinations are relative, so --prefix and CPack both decide where things land.

set(VORN_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
# The metadata names this version as its latest release, and the web page only if there is one.
set(VORN_METAINFO_LINKS "")
if(VORN_HOMEPAGE)
    string(REGEX REPLACE "/+$" "" page "${VORN_HOMEPAGE}")
    set(VORN_METAINFO_LINKS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The password table of a sample image</caption>
      <image>${page}/screenshot-u.png</image>
    </screenshot>
  </screenshots>
  <url type=\"homepage\">${VORN_HOMEPAGE}</url>
")
endif()
set(VORN_METAINFO ${CMAKE_BINARY_DIR}/${VORN_APP_ID}.metainfo.xml)
configure_file(${VORN_DATA_DIR}/vorn.metainfo.xml.in ${VORN_METAINFO} @ONLY)
set(VORN_DESKTOP ${CMAKE_BINARY_DIR}/${VORN_APP_ID}.desktop)
configure_file(${VORN_DATA_DIR}/vorn.desktop.in ${VORN_DESKTOP} @ONLY)

if(WIN32 OR APPLE)
    # One folder (or bundle) holding the programs and the Qt they need: on Windows VORN.exe
    # at the folder's root; on macOS vorn-sample-rom inside VORN.app, where it uses the
    # bundle's Qt.
    install(TARGETS vorn RUNTIME DESTINATION . BUNDLE DESTINATION .)
    if(APPLE)
        install(TARGETS vorn-sample-rom RUNTIME DESTINATION VORN.app/Contents/MacOS)
        set(program VORN.app)
        set(helper VORN.app/Contents/MacOS/vorn-sample-rom)
    else()
        install(TARGETS vorn-sample-rom RUNTIME DESTINATION .)
        set(program $<TARGET_FILE_NAME:vorn>)
        set(helper $<TARGET_FILE_NAME:vorn-sample-rom>)
    endif()
    # Qt's deployment tool for both programs: on Windows the Qt DLLs beside the programs and
    # the plugins in their folders there, as in the ZIP; on macOS Qt inside the bundle. Qt's
    # own qt_generate_deploy_app_script would look for VORN.exe in bin/ and deploy one program.
    set(VORN_DEPLOY_SCRIPT ${CMAKE_BINARY_DIR}/vorn-deploy-$<CONFIG>.cmake)
    # A Windows build from another system cannot run windeployqt: its test names a stand-in.
    set(stand_in "")
    if(WIN32 AND CMAKE_CROSSCOMPILING)
        set(stand_in "set(__QT_DEPLOY_TOOL \"\${VORN_DEPLOY_TOOL}\")\n")
    endif()
    file(GENERATE OUTPUT ${VORN_DEPLOY_SCRIPT} CONTENT "set(QT_DEPLOY_BIN_DIR .)
set(QT_DEPLOY_PLUGINS_DIR .)
include(\"${QT_DEPLOY_SUPPORT}\")
${stand_in}qt_deploy_runtime_dependencies(EXECUTABLE ${program} ADDITIONAL_EXECUTABLES ${helper} GENERATE_QT_CONF)
")
    if(WIN32 AND CMAKE_CROSSCOMPILING)
        # windeployqt runs only on Windows itself; a build from another system lays out the
        # same files by name (WindowsRuntime.cmake), and its deploy script, with a stand-in
        # for the tool, is tested.
        add_test(NAME windows_install COMMAND ${CMAKE_COMMAND} -D BUILD=${CMAKE_BINARY_DIR}
            -D DEPLOY_SCRIPT=${VORN_DEPLOY_SCRIPT} -D PREFIX=${CMAKE_BINARY_DIR}/install-check
            -D DEPLOY_TOOL=${PROJECT_SOURCE_DIR}/tests/windeployqt-stand-in.sh
            -P ${PROJECT_SOURCE_DIR}/tests/windows-install.cmake)
    else()
        install(SCRIPT ${VORN_DEPLOY_SCRIPT})
    endif()
else()
    install(TARGETS vorn vorn-sample-rom
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # The programs load no libraries of their own (vornlib is static), so the $ORIGIN search
    # path Qt adds by default only makes the loader look in the wrong places.
    set_target_properties(vorn vorn-sample-rom PROPERTIES INSTALL_RPATH "")
    install(FILES ${VORN_DESKTOP}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${VORN_METAINFO}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${VORN_DATA_DIR}/${VORN_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # Rendered from the SVG and kept in the tree, so building needs no SVG renderer.
    install(FILES ${VORN_DATA_DIR}/${VORN_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
endif()

# Registers test <name> running the shell command <command> where every program in <tools>
# is installed. Where one is missing the test still runs: with VORN_WERROR it fails, so CI
# cannot pass without the check; otherwise it is reported as skipped, with the reason.
function(vorn_add_tool_test name tools command)
    if(VORN_WERROR)
        set(missing_code 1)
    else()
        set(missing_code 77)
    endif()
    add_test(NAME ${name} COMMAND sh -c "for tool in ${tools}; do command -v $tool >/dev/null \
        || { echo \"$tool is not installed\" >&2; exit ${missing_code}; }; done; ${command}")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

# The desktop entry and the metadata are the Linux desktop's.
if(NOT WIN32 AND NOT APPLE)
    vorn_add_tool_test(desktop_file_validate desktop-file-validate
        "desktop-file-validate '${VORN_DESKTOP}'")
    vorn_add_tool_test(appstream_validate appstreamcli
        "appstreamcli validate --no-net --pedantic '${VORN_METAINFO}'")
endif()

set(CPACK_PACKAGE_NAME vorn)
set(CPACK_PACKAGE_VENDOR "${VORN_VENDOR}")
set(CPACK_PACKAGE_CONTACT "${VORN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VORN_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME "VORN-${PROJECT_VERSION}-windows-x64")
    # The ZIP unpacks to one folder named like the file.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(APPLE)
    set(CPACK_GENERATOR DragNDrop)
    set(CPACK_PACKAGE_FILE_NAME "VORN-${PROJECT_VERSION}-macos")
else()
    set(CPACK_GENERATOR DEB)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Not "games": it holds no game, it edits images of one.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The synopsis line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the long text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zephyra Password Editor opens a ROM image of the NES game Zephyra
(U or J release), shows the four-character password of every level and
writes changed passwords back into the image, leaving the rest of the
file untouched.
.
The package also holds vorn-sample-rom, which writes synthetic sample
images for trying the editor out without a game image.")

# The packages' files carry the build's time stamp, not the time they were installed.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/vorn-cpack.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} "set(ENV{SOURCE_DATE_EPOCH} ${VORN_SOURCE_DATE_EPOCH})\n")
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/SortZip.cmake)

include(${CMAKE_CURRENT_LIST_DIR}/Notices.cmake)
include(CPack)
