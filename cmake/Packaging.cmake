# Installation, desktop integration, checks of the desktop metadata and the .deb package.
# All destinations are relative, so --prefix and CPack both decide where things land.

set(VORN_APP_ID io.github.vorn_editor.Vorn)
set(VORN_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

install(TARGETS vorn vorn-sample-rom
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The programs load no libraries of their own (vornlib is static), so the $ORIGIN search
# path Qt adds by default only makes the loader look in the wrong places.
set_target_properties(vorn vorn-sample-rom PROPERTIES INSTALL_RPATH "")
install(FILES ${VORN_DATA_DIR}/${VORN_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORN_DATA_DIR}/${VORN_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VORN_DATA_DIR}/${VORN_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Rendered from the SVG and kept in the tree, so building needs no SVG renderer.
install(FILES ${VORN_DATA_DIR}/${VORN_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)

# Registers a test that runs <tool> with the given arguments. When the tool is not
# installed the test still exists: with VORN_WERROR it fails, so CI cannot pass without
# checking the metadata; otherwise it is reported as skipped. A tool missing at configure
# time is looked up again when the test runs, so installing it afterwards is enough.
function(vorn_add_tool_test name tool)
    find_program(VORN_${name}_TOOL ${tool})
    if(VORN_${name}_TOOL)
        add_test(NAME ${name} COMMAND ${VORN_${name}_TOOL} ${ARGN})
        return()
    endif()
    if(VORN_WERROR)
        set(missing_code 1)
    else()
        set(missing_code 77)
        message(STATUS "${tool} not found: test ${name} will be skipped")
    endif()
    add_test(NAME ${name} COMMAND sh -c
        "command -v \"$0\" >/dev/null || { echo \"$0 is not installed\" >&2; exit ${missing_code}; }; exec \"$0\" \"$@\""
        ${tool} ${ARGN})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

vorn_add_tool_test(desktop_file_validate desktop-file-validate
    ${VORN_DATA_DIR}/${VORN_APP_ID}.desktop)
vorn_add_tool_test(appstream_validate appstreamcli validate --no-net --pedantic
    ${VORN_DATA_DIR}/${VORN_APP_ID}.metainfo.xml)

set(CPACK_PACKAGE_NAME vorn)
set(CPACK_PACKAGE_VENDOR "The VORN developers")
set(CPACK_PACKAGE_CONTACT "The VORN developers <vorn@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/vorn/")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The synopsis line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the long text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zephyra Password Editor opens a ROM image of the NES game Zephyra
(U or J release), shows the four-character password of every level and
writes changed passwords back into the image, leaving the rest of the
file untouched.
.
The package also holds vorn-sample-rom, which writes synthetic sample
images for trying the editor out without a game image.")

include(CPack)
