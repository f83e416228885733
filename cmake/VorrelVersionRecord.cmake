# vorrel_add_version_record(<target> DESCRIPTION <text> FILE_NAME <name>)
#
# Gives a Windows program file its version record: the project's version as
# file and product version, the authors as company, Italian with code page
# 1252 as its language; the description and original file name as given
# (empty for none), every other text field empty.
function(vorrel_add_version_record target)
    cmake_parse_arguments(VERSION_RECORD "" "DESCRIPTION;FILE_NAME" "" ${ARGN})
    set(record ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version_record.rc.in ${record} @ONLY)
    target_sources(${target} PRIVATE ${record})
endfunction()
