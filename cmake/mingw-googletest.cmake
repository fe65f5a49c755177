# GoogleTest for the Windows test programs: no package exists for the target system, so it is
# built from Debian's sources (package googletest) with the cross compiler, inside this build.
set(LANHE_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to cross-compile")
set(INSTALL_GTEST OFF CACHE BOOL "Install nothing of the GoogleTest built for the tests")
add_subdirectory(${LANHE_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Debian's sources name the targets GTest::... themselves; other sources may not.
foreach(library gtest gtest_main gmock)
    if(NOT TARGET GTest::${library})
        add_library(GTest::${library} ALIAS ${library})
    endif()
endforeach()
