# Installs the build in BUILD_DIR into PREFIX and fails naming the first
# file that is missing there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install ${BUILD_DIR} failed: ${result}")
endif()
foreach(installed bin/vorrel bin/vorrel-scan share/applications/vorrel.desktop
                  share/icons/hicolor/48x48/apps/vorrel.png)
    if(NOT EXISTS "${PREFIX}/${installed}")
        message(FATAL_ERROR "cmake --install did not install ${installed}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
