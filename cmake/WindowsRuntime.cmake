# What VORN.exe needs beside it to start on a Windows machine with nothing installed,
# for builds made on another system, where Qt's own deployment tool cannot run: the Qt
# libraries, the plugins for the screen, the native style and .ico images, and the
# compiler's runtime libraries.
foreach(library Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES $<TARGET_FILE:Qt6::QICOPlugin> DESTINATION imageformats)

if(MINGW)
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT EXISTS "${path}")
            message(FATAL_ERROR "${runtime} not found beside ${CMAKE_CXX_COMPILER}")
        endif()
        # Debian ships them with their symbols, ten times their size.
        set(stripped ${CMAKE_BINARY_DIR}/runtime/${runtime})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/runtime)
        execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${path}
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "could not strip ${path}")
        endif()
        install(FILES ${stripped} DESTINATION .)
    endforeach()
endif()
