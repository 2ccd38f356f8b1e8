# Pieces of the Windows cross build that the Linux build does not need.

# GoogleTest from Debian's sources, compiled with the cross compiler (there is no mingw package).
set(VEMO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(VEMO_BUILD_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${VEMO_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Test programs run under Wine, in a prefix of the build's own, with an X server of their
    # own when none is given (scripts/wine-run.sh).
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
endif()
