# nlohmann_json for vorrel-scan. The library is headers only, so a cross
# build uses the build machine's copy too; but its package points at
# /usr/include as a whole, whose C library headers must not reach a Windows
# build, so the cross build sees the nlohmann folder alone, through a link
# in the build folder.
if(TARGET nlohmann_json::nlohmann_json)
    return()
endif()
if(NOT CMAKE_CROSSCOMPILING)
    find_package(nlohmann_json 3 REQUIRED)
    return()
endif()
find_path(VORREL_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VORREL_HOST_JSON_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp not found in /usr/include (Debian package nlohmann-json3-dev)")
endif()
set(json_only ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${json_only})
file(CREATE_LINK ${VORREL_HOST_JSON_INCLUDE}/nlohmann ${json_only}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${json_only})
