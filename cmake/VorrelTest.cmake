# vorrel_add_test(<name> SOURCES <files...> LIBS <targets...>)
#
# Every test executable is built and registered the same way: GoogleTest's
# main, one CTest entry per test case (so a failure names its case), and the
# offscreen Qt platform so that widget tests need no display.
#
# In a cross build each program is one CTest entry, run whole under the
# emulator (Wine): starting a Windows program costs far more than a case.
function(vorrel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        if(VORREL_WINE_PATH)
            set_tests_properties(${name} PROPERTIES ENVIRONMENT "WINEPATH=${VORREL_WINE_PATH}")
        endif()
        return()
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
