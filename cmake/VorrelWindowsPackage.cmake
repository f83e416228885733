# The Windows package: `cmake --build <dir> --target vorrel_windows_package`
# writes vorrel-<version>-windows-x64.zip into the build folder, holding the
# window program vorrel.exe, vorrel-scan.exe, the HTML manual (manual\, where
# "How To..." finds it) and HOW-TO-RUN.txt (scripts/package-windows.sh does
# the whole Release build and this step).
set(VORREL_WINDOWS_PACKAGE vorrel-${PROJECT_VERSION}-windows-x64)
set(package_stage ${CMAKE_BINARY_DIR}/package/${VORREL_WINDOWS_PACKAGE})
set(package_readme ${PROJECT_SOURCE_DIR}/packaging/windows/HOW-TO-RUN.txt)
file(GLOB package_manual CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/manual/*.html ${PROJECT_SOURCE_DIR}/docs/manual/*.png)
set(package_programs vorrel-scan)
if(TARGET vorrel)
    list(APPEND package_programs vorrel)
endif()
set(copy_programs "")
foreach(program IN LISTS package_programs)
    list(APPEND copy_programs COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${package_stage}/)
endforeach()
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${VORREL_WINDOWS_PACKAGE}.zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${package_stage}/manual
    ${copy_programs}
    COMMAND ${CMAKE_COMMAND} -E copy ${package_manual} ${package_stage}/manual/
    COMMAND ${CMAKE_COMMAND} -E copy ${package_readme} ${package_stage}/
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
            ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${VORREL_WINDOWS_PACKAGE}.zip --format=zip ${VORREL_WINDOWS_PACKAGE}
    DEPENDS ${package_programs} ${package_readme} ${package_manual}
    COMMENT "Packing ${VORREL_WINDOWS_PACKAGE}.zip"
    VERBATIM)
add_custom_target(vorrel_windows_package DEPENDS ${CMAKE_BINARY_DIR}/${VORREL_WINDOWS_PACKAGE}.zip)
