# The Windows packages, built by the target windows_packages into the build directory: a portable
# zip of the program and all it loads, and an NSIS installer of the same files for the user.
if(NOT LANHE_WITH_GUI OR NOT LANHE_OS STREQUAL "windows")
    return()
endif()

find_program(LANHE_MAKENSIS makensis REQUIRED)
set(LANHE_WINDOWS_PACKAGE lanhe-shutdown-${PROJECT_VERSION}-win64)
set(LANHE_WINDOWS_ZIP ${PROJECT_BINARY_DIR}/${LANHE_WINDOWS_PACKAGE}.zip)
set(LANHE_WINDOWS_SETUP ${PROJECT_BINARY_DIR}/${LANHE_WINDOWS_PACKAGE}-setup.exe)
set(stage ${PROJECT_BINARY_DIR}/${LANHE_WINDOWS_PACKAGE})

# Everything beside the program, as "source|folder in the package" (. for its top).
set(qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(companions
    "${qt_bin}/Qt6Core.dll|."
    "${qt_bin}/Qt6Gui.dll|."
    "${qt_bin}/Qt6Widgets.dll|."
    "${qt_bin}/libgcc_s_seh-1.dll|."
    "${qt_bin}/libstdc++-6.dll|."
    "${qt_bin}/libwinpthread-1.dll|."
    "${qt_plugins}/platforms/qwindows.dll|platforms"
    "${qt_plugins}/styles/qwindowsvistastyle.dll|styles"
    "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_zh_CN.qm|translations"
    "${PROJECT_SOURCE_DIR}/LICENSE|.|LICENSE.txt"
    "${PROJECT_SOURCE_DIR}/packaging/windows/README.txt|.")

# The staging commands, and the installer's two macros that install and remove the same list.
set(stage_commands
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/platforms ${stage}/styles
            ${stage}/translations
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:lanhe-shutdown> ${stage}/lanhe-shutdown.exe
    COMMAND ${CMAKE_STRIP} ${stage}/lanhe-shutdown.exe)
set(install_lines "  SetOutPath \"$INSTDIR\"\n  File \"${stage}/lanhe-shutdown.exe\"\n")
set(remove_lines "  Delete \"$INSTDIR\\lanhe-shutdown.exe\"\n")
set(sources)
foreach(companion IN LISTS companions)
    string(REPLACE "|" ";" parts "${companion}")
    list(GET parts 0 source)
    list(GET parts 1 folder)
    get_filename_component(name ${source} NAME)
    list(LENGTH parts length)
    if(length GREATER 2)
        list(GET parts 2 name)
    endif()
    string(REPLACE "/" "\\" windowsFolder "$INSTDIR/${folder}")
    string(REPLACE "\\." "" windowsFolder "${windowsFolder}")
    set(staged "${stage}/${folder}/${name}")
    cmake_path(NORMAL_PATH staged)
    list(APPEND sources ${source})
    list(APPEND stage_commands COMMAND ${CMAKE_COMMAND} -E copy ${source} ${staged})
    string(APPEND install_lines "  SetOutPath \"${windowsFolder}\"\n  File \"${staged}\"\n")
    string(APPEND remove_lines "  Delete \"${windowsFolder}\\${name}\"\n")
endforeach()
foreach(folder IN ITEMS platforms styles translations)
    string(APPEND remove_lines "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
set(files_header ${PROJECT_BINARY_DIR}/lanhe-shutdown-files.nsh)
# Written only when it changes: a new date alone would build both packages again.
string(CONCAT macros
    "!macro LanheInstallFiles\n${install_lines}  SetOutPath \"$INSTDIR\"\n!macroend\n"
    "!macro LanheRemoveFiles\n${remove_lines}!macroend\n")
file(CONFIGURE OUTPUT ${files_header} @ONLY CONTENT "${macros}")

# The installer names the licence's holder as the publisher.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) [0-9]+ ([^\n]+)" holder_line "${licence}")
set(publisher "${CMAKE_MATCH_1}")

set(installer_script ${PROJECT_SOURCE_DIR}/packaging/windows/lanhe-shutdown.nsi)
add_custom_command(OUTPUT ${LANHE_WINDOWS_ZIP} ${LANHE_WINDOWS_SETUP}
    ${stage_commands}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${LANHE_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${LANHE_WINDOWS_ZIP} --format=zip ${LANHE_WINDOWS_PACKAGE}
    COMMAND ${LANHE_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
            "-DPUBLISHER=${publisher}"
            -DICON=${PROJECT_SOURCE_DIR}/resources/icons/lanhe-shutdown.ico
            -DOUTFILE=${LANHE_WINDOWS_SETUP} -DFILES=${files_header} ${installer_script}
    DEPENDS lanhe-shutdown ${sources} ${installer_script} ${files_header}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    VERBATIM)
add_custom_target(windows_packages DEPENDS ${LANHE_WINDOWS_ZIP} ${LANHE_WINDOWS_SETUP})
