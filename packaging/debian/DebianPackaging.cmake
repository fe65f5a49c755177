# Installs the program the way a Linux desktop finds it (executable, menu entry, hicolor icons,
# AppStream metainfo) and builds the Debian package from the same rules with CPack.
# The desktop files mean nothing to a Windows build, and a cross build cannot ask dpkg for its
# architecture, so both leave this file at once.
if(NOT LANHE_WITH_GUI OR CMAKE_CROSSCOMPILING OR NOT LANHE_OS STREQUAL "linux")
    return()
endif()

include(GNUInstallDirs)

set(LANHE_APPSTREAM_ID io.github.lanhe.shutdown)

install(TARGETS lanhe-shutdown RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# strip leaves the .comment section, the compilers' version strings, which no Debian binary
# carries; it goes from the installed program, stripped or not.
install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lanhe-shutdown\"
    COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lanhe-shutdown.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lanhe-shutdown.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${LANHE_APPSTREAM_ID}.metainfo.xml)
foreach(size IN ITEMS 16 32 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/lanhe-shutdown-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME lanhe-shutdown.png)
endforeach()

# The manual page and the changelog go in compressed as Debian wants them: gzip -9 without
# the file's name and time, so that the same sources always give the same bytes.
find_program(LANHE_GZIP gzip REQUIRED)
set(LANHE_DOC_DIR ${PROJECT_BINARY_DIR}/doc)
foreach(source IN ITEMS lanhe-shutdown.1 changelog)
    add_custom_command(OUTPUT ${LANHE_DOC_DIR}/${source}.gz
        COMMAND ${LANHE_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/debian/${source}
                > ${source}.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/${source}
        WORKING_DIRECTORY ${LANHE_DOC_DIR}
        VERBATIM)
endforeach()
add_custom_target(compressed_docs ALL
    DEPENDS ${LANHE_DOC_DIR}/lanhe-shutdown.1.gz ${LANHE_DOC_DIR}/changelog.gz)
install(FILES ${LANHE_DOC_DIR}/lanhe-shutdown.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The machine-readable copyright file takes the holder and the licence text from LICENSE, so
# that the licence is written down once.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" holder_line "${licence}")
set(LANHE_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${licence}" "Permission is hereby granted" licence_start)
if(NOT holder_line OR licence_start EQUAL -1)
    message(FATAL_ERROR "LICENSE lacks its \"Copyright (c)\" line or the MIT licence text")
endif()
# A licence text in that format: every line indented by one space, an empty line as " .".
string(SUBSTRING "${licence}" ${licence_start} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " LANHE_LICENCE_TEXT " ${licence}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in ${LANHE_DOC_DIR}/copyright @ONLY)
install(FILES ${LANHE_DOC_DIR}/copyright ${LANHE_DOC_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(LANHE_PACKAGE_MAINTAINER "蓝禾自动关机 maintainers <maintainers@lanhe-shutdown.invalid>"
    CACHE STRING "Maintainer field of the Debian package: name <e-mail>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lanhe-shutdown)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${LANHE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "shut down, restart, sleep or hibernate when a condition comes true")
# Each line is indented by one space in the package and must stay within 80 columns there.
set(CPACK_PACKAGE_DESCRIPTION
    "蓝禾自动关机 switches the computer off, restarts it, puts it to sleep or
hibernates it once a condition armed in its window comes true: a clock time,
a network transfer rate that stays below a threshold for a number of seconds,
or the end of a process. On Linux it asks systemd for the power action
through systemctl.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the Qt 6 libraries the binary links; their packages bring the xcb
# platform plugin along. The window's texts are Chinese, so a CJK font is recommended, and Qt's
# Wayland platform, so that a Wayland session runs the program natively rather than through
# XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
