# The Windows packages, built with the program into the build directory: a portable zip of the
# program and all it loads, and an NSIS installer of the same files for the user. They are made
# where the program is cross-built; on Windows, windeployqt gathers the same files.
if(NOT LANHE_WITH_GUI OR NOT LANHE_OS STREQUAL "windows" OR NOT CMAKE_CROSSCOMPILING)
    return()
endif()

find_program(LANHE_MAKENSIS makensis REQUIRED)
set(LANHE_WINDOWS_PACKAGE lanhe-shutdown-${PROJECT_VERSION}-win64)
set(LANHE_WINDOWS_ZIP ${PROJECT_BINARY_DIR}/${LANHE_WINDOWS_PACKAGE}.zip)
set(LANHE_WINDOWS_SETUP ${PROJECT_BINARY_DIR}/${LANHE_WINDOWS_PACKAGE}-setup.exe)
# The package's folder, staged; the stamp beside it says when it is complete.
set(LANHE_WINDOWS_STAGE ${PROJECT_BINARY_DIR}/${LANHE_WINDOWS_PACKAGE})
set(LANHE_WINDOWS_STAGED ${LANHE_WINDOWS_STAGE}.staged)

# Qt's and MinGW's files beside the program, as "source|folder in the package".
set(qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(libraries
    "${qt_bin}/Qt6Core.dll|."
    "${qt_bin}/Qt6Gui.dll|."
    "${qt_bin}/Qt6Widgets.dll|."
    "${qt_bin}/libgcc_s_seh-1.dll|."
    "${qt_bin}/libstdc++-6.dll|."
    "${qt_bin}/libwinpthread-1.dll|."
    "${qt_plugins}/platforms/qwindows.dll|platforms"
    "${qt_plugins}/styles/qwindowsvistastyle.dll|styles"
    "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_zh_CN.qm|translations")
# The texts, as "source|name in the package", made for Notepad by windows-text.cmake.
set(texts
    "${PROJECT_SOURCE_DIR}/LICENSE|LICENSE.txt"
    "${PROJECT_SOURCE_DIR}/packaging/windows/README.txt|README.txt"
    "${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY-NOTICES.txt|THIRD-PARTY-NOTICES.txt")

# The staging commands and the package's files by their paths in it, the program first.
set(stage ${LANHE_WINDOWS_STAGE})
set(stage_commands
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/platforms ${stage}/styles
            ${stage}/translations
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:lanhe-shutdown> ${stage}/lanhe-shutdown.exe
    COMMAND ${CMAKE_STRIP} ${stage}/lanhe-shutdown.exe)
set(LANHE_WINDOWS_PACKAGE_FILES lanhe-shutdown.exe)
set(sources)
foreach(library IN LISTS libraries)
    string(REPLACE "|" ";" parts "${library}")
    list(GET parts 0 source)
    list(GET parts 1 folder)
    get_filename_component(name ${source} NAME)
    set(file "${folder}/${name}")
    cmake_path(NORMAL_PATH file)
    list(APPEND sources ${source})
    list(APPEND LANHE_WINDOWS_PACKAGE_FILES ${file})
    list(APPEND stage_commands COMMAND ${CMAKE_COMMAND} -E copy ${source} ${stage}/${file})
endforeach()
foreach(text IN LISTS texts)
    string(REPLACE "|" ";" parts "${text}")
    list(GET parts 0 source)
    list(GET parts 1 name)
    list(APPEND sources ${source})
    list(APPEND LANHE_WINDOWS_PACKAGE_FILES ${name})
    list(APPEND stage_commands COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${stage}/${name}
         -P ${CMAKE_CURRENT_LIST_DIR}/windows-text.cmake)
endforeach()
add_custom_command(OUTPUT ${LANHE_WINDOWS_STAGED}
    ${stage_commands}
    COMMAND ${CMAKE_COMMAND} -E touch ${LANHE_WINDOWS_STAGED}
    DEPENDS lanhe-shutdown ${sources} ${CMAKE_CURRENT_LIST_DIR}/windows-text.cmake
    VERBATIM)

# Writes the header of the installer's two macros for the files of a staged folder, given by
# their paths in it: LanheInstallFiles puts each in place, LanheRemoveCompanions removes all but
# the program (the script removes that first) through the script's LanheRemoveFile.
function(lanhe_windows_files_header output stage)
    set(install_lines "")
    set(remove_lines "")
    set(folders "")
    foreach(file IN LISTS ARGN)
        get_filename_component(folder ${file} DIRECTORY)
        string(REPLACE "/" "\\" windows_file "${file}")
        string(REPLACE "/" "\\" windows_folder "$INSTDIR/${folder}")
        string(REGEX REPLACE "\\\\$" "" windows_folder "${windows_folder}")
        string(APPEND install_lines
            "  SetOutPath \"${windows_folder}\"\n  File \"${stage}/${file}\"\n")
        if(NOT file STREQUAL "lanhe-shutdown.exe")
            string(APPEND remove_lines
                "  !insertmacro LanheRemoveFile \"$INSTDIR\\${windows_file}\"\n")
        endif()
        if(folder)
            list(APPEND folders ${windows_folder})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    foreach(folder IN LISTS folders)
        string(APPEND remove_lines "  RMDir \"${folder}\"\n")
    endforeach()
    # Written only when it changes: a new date alone would build the installer again.
    string(CONCAT macros
        "!macro LanheInstallFiles\n${install_lines}  SetOutPath \"$INSTDIR\"\n!macroend\n"
        "!macro LanheRemoveCompanions\n${remove_lines}!macroend\n")
    file(CONFIGURE OUTPUT ${output} @ONLY CONTENT "${macros}")
endfunction()

# The installer names the licence's holder as the publisher.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) [0-9]+ ([^\n]+)" holder_line "${licence}")
set(LANHE_WINDOWS_PUBLISHER "${CMAKE_MATCH_1}")

# Adds the command that makes the installer OUTPUT of VERSION from the staged folder whose stamp
# is STAGED, its files listed in the header FILES.
function(lanhe_add_windows_installer output version staged files)
    set(script ${PROJECT_SOURCE_DIR}/packaging/windows/lanhe-shutdown.nsi)
    set(icon ${PROJECT_SOURCE_DIR}/resources/icons/lanhe-shutdown.ico)
    set(picture ${PROJECT_SOURCE_DIR}/resources/icons/lanhe-shutdown-installer.bmp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${LANHE_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${version}
                "-DPUBLISHER=${LANHE_WINDOWS_PUBLISHER}" -DICON=${icon} -DFINISH_PICTURE=${picture}
                -DRUNNING_MUTEX=${LANHE_RUNNING_MUTEX} -DOUTFILE=${output} -DFILES=${files}
                ${script}
        DEPENDS ${staged} ${script} ${files} ${icon} ${picture}
        VERBATIM)
endfunction()

set(files_header ${PROJECT_BINARY_DIR}/lanhe-shutdown-files.nsh)
lanhe_windows_files_header(${files_header} ${LANHE_WINDOWS_STAGE} ${LANHE_WINDOWS_PACKAGE_FILES})
lanhe_add_windows_installer(${LANHE_WINDOWS_SETUP} ${PROJECT_VERSION} ${LANHE_WINDOWS_STAGED}
    ${files_header})
add_custom_command(OUTPUT ${LANHE_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${LANHE_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${LANHE_WINDOWS_ZIP} --format=zip ${LANHE_WINDOWS_PACKAGE}
    DEPENDS ${LANHE_WINDOWS_STAGED}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${LANHE_WINDOWS_ZIP} ${LANHE_WINDOWS_SETUP})
