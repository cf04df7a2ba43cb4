# The packages as tests, labelled "package": made by CPack, checked for their notices and,
# the .deb, for hardening, linted, and the ZIP started under Wine.

set(dir "'${CMAKE_BINARY_DIR}'")
set(tests "${PROJECT_SOURCE_DIR}/tests")
if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(package "VORN-${PROJECT_VERSION}-windows-x64")
    vorn_add_tool_test(package_zip "" "cd ${dir} && rm -f VORN-*.zip && '${CMAKE_CPACK_COMMAND}' -G ZIP")
    vorn_add_tool_test(package_zip_check "" "'${tests}/check-package.sh' ${dir}/${package}.zip")
    vorn_add_tool_test(package_zip_window "xvfb-run xwininfo /usr/lib/wine/wine64"
        "cd ${dir} && rm -rf zip-check && mkdir zip-check && cd zip-check &&
        '${CMAKE_COMMAND}' -E tar xf ../${package}.zip &&
        '${PROJECT_SOURCE_DIR}/scripts/wine-window-check.sh' ${package} VORN.exe 'Zephyra Password Editor'")
    set(fixture zip)
elseif(NOT WIN32 AND NOT APPLE)
    vorn_add_tool_test(package_deb dpkg-shlibdeps "cd ${dir} && rm -f vorn_*.deb && '${CMAKE_CPACK_COMMAND}' -G DEB")
    vorn_add_tool_test(package_deb_check "dpkg-deb hardening-check"
        "'${tests}/check-package.sh' ${dir}/vorn_*.deb")
    vorn_add_tool_test(package_deb_lintian lintian "lintian --fail-on error,warning ${dir}/vorn_*.deb")
    vorn_add_tool_test(package_notices_elsewhere "clang-cl-14 llvm-lib-14"
        "'${tests}/notices-elsewhere.sh' ${dir}/notices-elsewhere")
    set(fixture deb)
else()
    return()
endif()

get_property(tests DIRECTORY PROPERTY TESTS)
list(FILTER tests INCLUDE REGEX "^package_")
set_tests_properties(${tests} PROPERTIES LABELS package FIXTURES_REQUIRED ${fixture})
set_tests_properties(package_${fixture} PROPERTIES FIXTURES_SETUP ${fixture} FIXTURES_REQUIRED "")
