# The unit tests of the handlers and of the toolkit-free binding parts (tests/unit/), defined once
# for the three builds that run them: the root build (tests/), and the cross builds for Windows
# (tests/windows/) and arm64 (tests/arm64/), which register them each their own way. A cross build
# cannot link this machine's GoogleTest: it builds GoogleTest from its sources (Debian's
# googletest) with its own compiler. Included after TavimoCore.cmake.
if(CMAKE_CROSSCOMPILING)
    set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
        "GoogleTest's sources (Debian's googletest)")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)
    # GCC 12 warns wrongly (-Wrestrict) inside GoogleTest's own string handling.
    target_compile_options(gtest PRIVATE -Wno-restrict)
else()
    find_package(GTest)
    if(NOT GTest_FOUND)
        message(FATAL_ERROR "The tests need GoogleTest: install the Debian packages libgtest-dev "
            "and googletest (scripts/setup test does), or configure with -DTAVIMO_TESTS=OFF.")
    endif()
endif()
include(GoogleTest)

# The test files compiled five to a unit (a unity build): each file parses GoogleTest's headers
# and instantiates its templates once per unit, not once per file, which halves the unit tests'
# compile time in each of the five builds that compile them. TrialDivisionTest.cpp has a constant
# of the name that another test file gives another value, so it stays a unit of its own.
function(tavimo_unity_tests target)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 5)
    set_source_files_properties(${TAVIMO_SOURCE_ROOT}/tests/unit/TrialDivisionTest.cpp
        PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

file(GLOB TAVIMO_UNIT_SOURCES CONFIGURE_DEPENDS ${TAVIMO_SOURCE_ROOT}/tests/unit/*.cpp)
add_executable(tavimo_unit_tests ${TAVIMO_UNIT_SOURCES})
target_link_libraries(tavimo_unit_tests PRIVATE tavimo_binding GTest::gtest_main)
target_compile_options(tavimo_unit_tests PRIVATE -Wall -Wextra -Wpedantic)
tavimo_unity_tests(tavimo_unit_tests)
