# Run by CPack once the packages are made: a ZIP lists its files in the order the file system
# gave them, which differs from one folder or machine to another; strip-nondeterminism sorts
# them and leaves only the time stamp SOURCE_DATE_EPOCH names.
foreach(package ${CPACK_PACKAGE_FILES})
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    find_program(VORN_STRIP_NONDETERMINISM strip-nondeterminism)
    if(NOT VORN_STRIP_NONDETERMINISM)
        message(WARNING "strip-nondeterminism not found: ${package} may differ from a rebuild")
        continue()
    endif()
    execute_process(COMMAND ${VORN_STRIP_NONDETERMINISM} --type zip
        --timestamp $ENV{SOURCE_DATE_EPOCH} ${package} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
