# x86_64 MinGW-w64 cross build of the same sources, for testing only: the shipped modules
# are 32-bit, and this build lets their Win32 code run under Wine where the kernel refuses
# 32-bit programs.
set(QM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
# Test programs run under 64-bit Wine with a private prefix inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --wine64)
