# The Windows package: `cmake --build <dir> --target vorrel_windows_package`
# writes vorrel-scan-<version>-windows-x64.zip into the build folder, holding
# vorrel-scan.exe and HOW-TO-RUN.txt (scripts/package-windows.sh does the
# whole Release build and this step).
set(VORREL_WINDOWS_PACKAGE vorrel-scan-${PROJECT_VERSION}-windows-x64)
set(package_stage ${CMAKE_BINARY_DIR}/package/${VORREL_WINDOWS_PACKAGE})
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${VORREL_WINDOWS_PACKAGE}.zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${package_stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vorrel-scan> ${package_stage}/
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/cli/scan/windows/HOW-TO-RUN.txt ${package_stage}/
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
            ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${VORREL_WINDOWS_PACKAGE}.zip --format=zip ${VORREL_WINDOWS_PACKAGE}
    DEPENDS vorrel-scan ${PROJECT_SOURCE_DIR}/cli/scan/windows/HOW-TO-RUN.txt
    COMMENT "Packing ${VORREL_WINDOWS_PACKAGE}.zip"
    VERBATIM)
add_custom_target(vorrel_windows_package DEPENDS ${CMAKE_BINARY_DIR}/${VORREL_WINDOWS_PACKAGE}.zip)
