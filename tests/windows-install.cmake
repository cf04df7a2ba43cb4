# cmake -D BUILD=<cross build> -D DEPLOY_SCRIPT=<its deploy script> -D DEPLOY_TOOL=<stand-in>
#       -D PREFIX=<empty folder> -P this
# The install tree is laid out as the ZIP is, and the deploy script that `cmake --install`
# runs on Windows asks windeployqt (here a stand-in) to deploy the installed VORN.exe into
# the folder that holds it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
foreach(file VORN.exe vorn-sample-rom.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll
        platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "the install tree has no ${file}")
    endif()
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" -D "CMAKE_INSTALL_PREFIX=${PREFIX}"
    -D "VORN_DEPLOY_TOOL=${DEPLOY_TOOL}" -P "${DEPLOY_SCRIPT}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(STRINGS "${PREFIX}/windeployqt-was-asked" asked)
list(POP_FRONT asked folder program)
list(JOIN asked " " options)
file(REAL_PATH "${program}" program BASE_DIRECTORY "${folder}")
file(REAL_PATH "${PREFIX}/VORN.exe" installed)
if(NOT program STREQUAL installed OR NOT options MATCHES "--dir \\. --libdir \\. --plugindir \\. ")
    message(FATAL_ERROR "windeployqt was asked for ${program} with: ${options}")
endif()
file(READ "${PREFIX}/qt.conf" conf)
if(NOT conf MATCHES "Prefix = \\.\n" OR NOT conf MATCHES "Plugins = \\.\n")
    message(FATAL_ERROR "qt.conf does not point at VORN.exe's folder:\n${conf}")
endif()
message(STATUS "VORN.exe, its DLLs and plugins in one folder; windeployqt asked for ${program} with: ${options}")
