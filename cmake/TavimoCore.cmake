# The two libraries of plain C++ that every build of Tavimo shares, defined once: the root build,
# tests/arm64 and the fuzz build include this file, and so can a cross build for another system.
#
# - tavimo_core: the window's behaviour, no toolkit: the control model, the handlers, the search.
# - tavimo_binding: the parts of every window binding that know no toolkit (src/platform/*.cpp:
#   the window's size against its frame, the input limit, what is mirrored onto the widgets, the
#   accessible texts); a binding's own folder (src/platform/qt/ ...) is built by its build.
#
# Warnings as everywhere: -Wall -Wextra -Wpedantic. A build adds its own options to the targets
# (sanitizers, fuzzing) after including this file.
set(TAVIMO_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

file(GLOB TAVIMO_CORE_SOURCES CONFIGURE_DEPENDS
    ${TAVIMO_SOURCE_ROOT}/src/model/*.cpp ${TAVIMO_SOURCE_ROOT}/src/window/*.cpp
    ${TAVIMO_SOURCE_ROOT}/src/search/*.cpp ${TAVIMO_SOURCE_ROOT}/src/commands/*.cpp)
add_library(tavimo_core STATIC ${TAVIMO_CORE_SOURCES})
target_include_directories(tavimo_core PUBLIC ${TAVIMO_SOURCE_ROOT}/src)
target_compile_features(tavimo_core PUBLIC cxx_std_20)
target_compile_options(tavimo_core PRIVATE -Wall -Wextra -Wpedantic)
# The search tests its candidates on every core (search/TrialPrimeBatches.cpp).
find_package(Threads REQUIRED)
target_link_libraries(tavimo_core PUBLIC Threads::Threads)

file(GLOB TAVIMO_BINDING_SOURCES CONFIGURE_DEPENDS ${TAVIMO_SOURCE_ROOT}/src/platform/*.cpp)
add_library(tavimo_binding STATIC ${TAVIMO_BINDING_SOURCES})
target_link_libraries(tavimo_binding PUBLIC tavimo_core)
target_compile_options(tavimo_binding PRIVATE -Wall -Wextra -Wpedantic)
