# cmake -D SOURCE=<tree> -D WORK=<empty folder> -D CXX=<compiler> -D QT6_DIR=<host Qt's CMake dir>
#       -D GL_LIBRARY=<any GL library> -D GL_INCLUDE=<its headers> -P this
# No Mac here, but CMake writes a macOS build's install script all the same, with the host's
# compiler and Qt standing in. That script is run, with stand-ins for the programs that were
# never built, for macdeployqt and for codesign: VORN.app must be installed with its icon named
# in Info.plist, vorn-sample-rom inside it, macdeployqt asked for both once both are there, and
# the bundle signed last, after vorn-sample-rom.
cmake_policy(VERSION 3.24)
file(REMOVE_RECURSE "${WORK}")
set(build ${WORK}/build)
set(prefix ${WORK}/install)
set(deploy ${WORK}/macdeployqt)
file(WRITE ${deploy} "#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; ls VORN.app/Contents/MacOS; } > macdeployqt-was-asked\n")
file(WRITE ${WORK}/codesign "#!/bin/sh\necho \"$@\" >> ${WORK}/codesign-was-asked\n")
file(CHMOD ${deploy} ${WORK}/codesign PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${build} -DCMAKE_SYSTEM_NAME=Darwin
        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_CXX_COMPILER_WORKS=ON -DCMAKE_OSX_SYSROOT=/
        -DVORN_BENCHMARKS=OFF -DQt6_DIR=${QT6_DIR} -DMACDEPLOYQT_EXECUTABLE=${deploy}
        -DVORN_CODESIGN=${WORK}/codesign
        -DOPENGL_gl_LIBRARY=${GL_LIBRARY} -DOPENGL_INCLUDE_DIR=${GL_INCLUDE}
    OUTPUT_FILE ${WORK}/configure.log ERROR_FILE ${WORK}/configure.log RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "CMake could not set up a build for macOS: see ${WORK}/configure.log")
endif()
file(TOUCH ${build}/tools/vorn-sample-rom)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${build} --prefix ${prefix}
    OUTPUT_FILE ${WORK}/install.log ERROR_FILE ${WORK}/install.log RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the macOS install script failed: see ${WORK}/install.log")
endif()

file(READ ${prefix}/VORN.app/Contents/Info.plist plist)
if(NOT plist MATCHES "<key>CFBundleIconFile</key>[ \t\n]*<string>[^<]+\\.icns</string>")
    message(FATAL_ERROR "VORN.app's Info.plist names no icon")
endif()
file(STRINGS ${prefix}/macdeployqt-was-asked asked)
list(POP_FRONT asked folder program)
file(REAL_PATH ${folder} folder)
file(REAL_PATH ${prefix} prefix)
if(NOT folder STREQUAL prefix OR NOT program STREQUAL "VORN.app"
        OR NOT "-executable=VORN.app/Contents/MacOS/vorn-sample-rom" IN_LIST asked
        OR NOT "vorn-sample-rom" IN_LIST asked)
    message(FATAL_ERROR "macdeployqt was asked in ${folder} for ${program} with: ${asked}")
endif()
file(STRINGS ${WORK}/codesign-was-asked signed)
list(POP_BACK signed app helper)
if(NOT app MATCHES "-s(ign)? - .*/VORN.app$" OR NOT helper MATCHES "/VORN.app/Contents/MacOS/vorn-sample-rom$")
    message(FATAL_ERROR "not signed from the inside out: ${signed};${helper};${app}")
endif()
message(STATUS "VORN.app with its icon, vorn-sample-rom inside it, macdeployqt asked for both, signed last")
