# Compiles through ccache where it is installed and no launcher was chosen. The cache lies under
# build/ccache/, one per build directory's name (builds with different flags share no entries),
# so that it outlives a removed build directory; CCACHE_DIR, when set, chooses another place.
# Paths are hashed relative to the tree: a copy of the tree elsewhere hits the same entries.
find_program(LANHE_CCACHE ccache)
find_program(LANHE_ENV env)
if(LANHE_CCACHE AND LANHE_ENV AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    if(DEFINED ENV{CCACHE_DIR})
        set(cache_dir "$ENV{CCACHE_DIR}")
    else()
        cmake_path(GET CMAKE_BINARY_DIR FILENAME build_name)
        set(cache_dir "${PROJECT_SOURCE_DIR}/build/ccache/${build_name}")
    endif()
    set(LANHE_CCACHE_DIR "${cache_dir}" CACHE PATH "Where ccache keeps this build's objects")
    set(CMAKE_CXX_COMPILER_LAUNCHER ${LANHE_ENV} CCACHE_DIR=${LANHE_CCACHE_DIR}
        CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${LANHE_CCACHE})
endif()
