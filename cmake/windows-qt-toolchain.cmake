# The windows preset's toolchain: Qt for Windows from the project's own archive in
# third_party/qt-mingw, unpacked into build/qt-mingw when it is missing or the archive changed,
# then Qt's qt.toolchain.cmake, which finds Qt there and chain-loads MinGW-w64 with the shared
# C++ runtime that Qt's DLLs use. CMake reads this file again for every compiler check: the
# unpacked prefix is checked, not unpacked again.
set(LANHE_QT_ARCHIVE_DIR ${CMAKE_CURRENT_LIST_DIR}/../third_party/qt-mingw)
set(LANHE_QT_ARCHIVE ${LANHE_QT_ARCHIVE_DIR}/qt6.4.2-mingw64-widgets.tar.xz)
set(LANHE_QT_UNPACKED ${CMAKE_CURRENT_LIST_DIR}/../build/qt-mingw)
cmake_path(NORMAL_PATH LANHE_QT_UNPACKED)
# Qt's Chinese texts (确定 in the message boxes) are not in the archive: the catalogue of
# Debian's Qt of the same version is the same on every system.
set(LANHE_QT_CHINESE_TEXTS /usr/share/qt6/translations/qtbase_zh_CN.qm)

function(lanhe_unpack_qt_for_windows)
    if(NOT EXISTS ${LANHE_QT_ARCHIVE})
        message(FATAL_ERROR "Qt for Windows is missing: ${LANHE_QT_ARCHIVE}")
    endif()
    file(SHA256 ${LANHE_QT_ARCHIVE} sum)
    file(STRINGS ${LANHE_QT_ARCHIVE_DIR}/SHA256SUMS expected
         REGEX " [*]?qt6.4.2-mingw64-widgets.tar.xz$")
    if(NOT expected MATCHES "^${sum} ")
        message(FATAL_ERROR "${LANHE_QT_ARCHIVE} does not match its SHA256SUMS")
    endif()
    set(marker ${LANHE_QT_UNPACKED}/unpacked-from)
    if(EXISTS ${marker})
        file(READ ${marker} unpacked_sum)
        if(unpacked_sum STREQUAL sum)
            return()
        endif()
    endif()
    if(NOT EXISTS ${LANHE_QT_CHINESE_TEXTS})
        message(FATAL_ERROR "${LANHE_QT_CHINESE_TEXTS} is missing: install qt6-translations-l10n")
    endif()
    message(STATUS "Unpacking Qt for Windows into ${LANHE_QT_UNPACKED}")
    file(REMOVE_RECURSE ${LANHE_QT_UNPACKED})
    # Dated now, so that what was built with another Qt is built again.
    file(ARCHIVE_EXTRACT INPUT ${LANHE_QT_ARCHIVE} DESTINATION ${LANHE_QT_UNPACKED} TOUCH)
    file(COPY ${LANHE_QT_CHINESE_TEXTS} DESTINATION ${LANHE_QT_UNPACKED}/prefix/translations)
    # Written last: an unpacking cut short is done again.
    file(WRITE ${marker} ${sum})
endfunction()

lanhe_unpack_qt_for_windows()
set(QT_CHAINLOAD_TOOLCHAIN_FILE ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-shared-runtime.cmake)
include(${LANHE_QT_UNPACKED}/prefix/lib/cmake/Qt6/qt.toolchain.cmake)
