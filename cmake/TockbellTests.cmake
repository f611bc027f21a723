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
    # Under Wine every suite runs in the build's one prefix, where they would see each other's
    # windows, registry values and files: they take turns.
    if(WIN32)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_prefix)
    endif()
endfunction()

# The end-to-end tests run side by side (ctest -j). Those that time sounds (SOUND) share two slots
# (tests/sound_slots.json, which make test hands to ctest), so that no more than two of them want the
# two processors at one moment, and the others run at a lower priority, so that their programs'
# starts do not delay those of the timed ones; the builds beside them run lower still (make test).
function(tockbell_add_script_test name script)
    cmake_parse_arguments(ARG "SOUND" "" "" ${ARGN})
    if(ARG_SOUND)
        add_test(NAME ${name} COMMAND bash ${script})
        # First, since their turns make the longest chain; the others fill the time beside it.
        set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS "sound:1" COST 1000)
    else()
        add_test(NAME ${name} COMMAND nice -n 5 bash ${script})
    endif()
endfunction()

# An end-to-end script: runs the real program under Xvfb and Wine, in an X server, a Wine prefix and a
# HOME of its own. SOUND for a test that times sounds.
function(tockbell_add_e2e_test name script)
    tockbell_add_script_test(${name} ${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${TOCKBELL_TEST_ENVIRONMENT};TOCKBELL_EXE=$<TARGET_FILE:tockbell>;TOCKBELL_DRIVER=$<TARGET_FILE:tbdriver>;TOCKBELL_BUILD=${CMAKE_BINARY_DIR}"
        TIMEOUT 600 LABELS e2e)
endfunction()

# An end-to-end script of the Linux program: runs it under Xvfb with a tray host and a sound server,
# each of its own, with a HOME and a runtime folder of its own. SOUND for a test that times sounds.
function(tockbell_add_linux_e2e_test name script)
    tockbell_add_script_test(${name} ${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${TOCKBELL_TEST_ENVIRONMENT};TOCKBELL_PROGRAM=$<TARGET_FILE:tockbell_linux>;TOCKBELL_BUILD=${CMAKE_BINARY_DIR}"
        TIMEOUT 300 LABELS "linux;e2e")
endfunction()
