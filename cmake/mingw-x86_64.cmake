# Cross-compiles the 64-bit Windows program with MinGW-w64; it runs under the 64-bit Wine
# loader, also on hosts that run no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
