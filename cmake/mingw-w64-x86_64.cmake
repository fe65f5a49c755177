# Cross-compiles the Qt-free core for 64-bit Windows with Debian's MinGW-w64 (posix threads),
# with MinGW's runtime linked in: the tests run under Wine without its DLLs next to them.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-shared-runtime.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
