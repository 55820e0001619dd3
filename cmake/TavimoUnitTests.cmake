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

file(GLOB TAVIMO_UNIT_SOURCES CONFIGURE_DEPENDS ${TAVIMO_SOURCE_ROOT}/tests/unit/*.cpp)
add_executable(tavimo_unit_tests ${TAVIMO_UNIT_SOURCES})
target_link_libraries(tavimo_unit_tests PRIVATE tavimo_binding GTest::gtest_main)
target_compile_options(tavimo_unit_tests PRIVATE -Wall -Wextra -Wpedantic)
