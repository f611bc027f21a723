# One helper per kind of test. Each pins the time zone and the locale so that results never depend
# on the machine; under the mingw build CTest runs the executables through Wine.
if(WIN32)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(TOCKBELL_GTEST GTest::gtest_main)
    if(NOT TARGET GTest::gtest_main)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
else()
    find_package(GTest REQUIRED)
    set(TOCKBELL_GTEST GTest::gtest_main)
endif()

set(TOCKBELL_TEST_ENVIRONMENT TZ=UTC LC_ALL=C)

function(tockbell_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${TOCKBELL_GTEST} tockbell_warnings)
    if(WIN32)
        target_link_options(${name} PRIVATE -static)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${TOCKBELL_TEST_ENVIRONMENT}" TIMEOUT 300)
endfunction()

# An end-to-end script: runs the real program under Xvfb and Wine.
function(tockbell_add_e2e_test name script)
    add_test(NAME ${name} COMMAND bash ${script})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${TOCKBELL_TEST_ENVIRONMENT};TOCKBELL_EXE=$<TARGET_FILE:tockbell>;TOCKBELL_DRIVER=$<TARGET_FILE:tbdriver>;TOCKBELL_BUILD=${CMAKE_BINARY_DIR}"
        TIMEOUT 600 RUN_SERIAL TRUE LABELS e2e)
endfunction()

# An end-to-end script of the Linux program: runs it under Xvfb with a tray host and a sound server.
function(tockbell_add_linux_e2e_test name script)
    add_test(NAME ${name} COMMAND bash ${script})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${TOCKBELL_TEST_ENVIRONMENT};TOCKBELL_PROGRAM=$<TARGET_FILE:tockbell_linux>;TOCKBELL_BUILD=${CMAKE_BINARY_DIR}"
        TIMEOUT 300 RUN_SERIAL TRUE LABELS "linux;e2e")
endfunction()
