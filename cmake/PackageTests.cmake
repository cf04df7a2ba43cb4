# The packages as tests, labelled "package": made by CPack, checked for their notices and,
# the .deb, for hardening, linted, the ZIP started under Wine, and each made again from a copy
# of the sources in another folder, which must give the same bytes.

# A sanitized build is for finding faults, never shipped.
if(VORN_SANITIZE)
    return()
endif()

set(dir "'${CMAKE_BINARY_DIR}'")
set(tests "${PROJECT_SOURCE_DIR}/tests")
# This build's options, for building it again in another folder.
set(options "-DVORN_BENCHMARKS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON")
foreach(name CMAKE_BUILD_TYPE CMAKE_TOOLCHAIN_FILE CMAKE_PREFIX_PATH CMAKE_CXX_COMPILER
        QT_HOST_PATH QT_HOST_PATH_CMAKE_DIR VORN_MAINTAINER VORN_HOMEPAGE VORN_SOURCE_URL)
    if(DEFINED ${name})
        string(APPEND options " '-D${name}=${${name}}'")
    endif()
endforeach()

if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(package "VORN-${PROJECT_VERSION}-windows-x64")
    vorn_add_tool_test(package_zip "" "cd ${dir} && rm -f VORN-*.zip && '${CMAKE_CPACK_COMMAND}' -G ZIP")
    vorn_add_tool_test(package_zip_check "" "'${tests}/check-package.sh' ${dir}/${package}.zip")
    vorn_add_tool_test(package_zip_window "xvfb-run xwininfo /usr/lib/wine/wine64"
        "cd ${dir} && rm -rf zip-check && mkdir zip-check && cd zip-check &&
        '${CMAKE_COMMAND}' -E tar xf ../${package}.zip &&
        '${PROJECT_SOURCE_DIR}/scripts/wine-window-check.sh' ${package} VORN.exe 'Zephyra Password Editor'")
    vorn_add_tool_test(package_zip_reproducible ""
        "'${tests}/reproducible.sh' ${dir} ZIP '${package}.zip' ${options}")
    set(fixture zip)
elseif(NOT WIN32 AND NOT APPLE)
    vorn_add_tool_test(package_deb dpkg-shlibdeps "cd ${dir} && rm -f vorn_*.deb && '${CMAKE_CPACK_COMMAND}' -G DEB")
    vorn_add_tool_test(package_deb_check "dpkg-deb hardening-check"
        "'${tests}/check-package.sh' ${dir}/vorn_*.deb")
    vorn_add_tool_test(package_deb_lintian lintian "lintian --fail-on error,warning ${dir}/vorn_*.deb")
    vorn_add_tool_test(package_deb_reproducible dpkg-shlibdeps
        "'${tests}/reproducible.sh' ${dir} DEB 'vorn_*.deb' ${options}")
    vorn_add_tool_test(package_notices_elsewhere "clang llvm-lib-14"
        "'${tests}/notices-elsewhere.sh' ${dir}/notices-elsewhere")
    set(fixture deb)
else()
    return()
endif()

get_property(tests DIRECTORY PROPERTY TESTS)
list(FILTER tests INCLUDE REGEX "^package_")
set_tests_properties(${tests} PROPERTIES LABELS package FIXTURES_REQUIRED ${fixture})
set_tests_properties(package_${fixture} PROPERTIES FIXTURES_SETUP ${fixture} FIXTURES_REQUIRED "")
if(TEST package_notices_elsewhere)
    set_tests_properties(package_notices_elsewhere PROPERTIES FIXTURES_REQUIRED "")
endif()
# They build everything again, with all cores.
set_tests_properties(package_${fixture}_reproducible PROPERTIES RUN_SERIAL ON TIMEOUT 1800)
