# Toolchain of the `windows` preset: mingw-w64 plus a static Qt built for Windows. The Qt is
# VEMO_WINDOWS_QT (cache variable or environment), else build/qt6-win64 in the source tree,
# where `make windows` unpacks the cached one. Moc, rcc and uic come from the host's Qt 6 of
# the same version.
set(VEMO_MINGW_TOOLCHAIN ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
if(NOT VEMO_WINDOWS_QT)
    if(DEFINED ENV{VEMO_WINDOWS_QT} AND NOT "$ENV{VEMO_WINDOWS_QT}" STREQUAL "")
        set(VEMO_WINDOWS_QT $ENV{VEMO_WINDOWS_QT})
    else()
        get_filename_component(VEMO_WINDOWS_QT ${CMAKE_CURRENT_LIST_DIR}/../build/qt6-win64 ABSOLUTE)
    endif()
endif()
# try_compile projects run this file again without the cache.
set(ENV{VEMO_WINDOWS_QT} ${VEMO_WINDOWS_QT})

set(VEMO_QT_TOOLCHAIN ${VEMO_WINDOWS_QT}/lib/cmake/Qt6/qt.toolchain.cmake)
if(NOT EXISTS ${VEMO_QT_TOOLCHAIN})
    message(FATAL_ERROR "No Qt for Windows at ${VEMO_WINDOWS_QT}: run `make windows` (it unpacks "
                        "../shared/toolchains/qt-*-x86_64-w64-mingw32-static.tar.xz), build one "
                        "with scripts/build-windows-qt.sh, or set VEMO_WINDOWS_QT.")
endif()

if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr CACHE PATH "Host Qt 6 for moc, rcc and uic")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "CMake files of the host Qt 6")
endif()

set(QT_CHAINLOAD_TOOLCHAIN_FILE ${VEMO_MINGW_TOOLCHAIN})
include(${VEMO_QT_TOOLCHAIN})
