# Cross toolchain for 32-bit Windows: compiled and linked in CI, not run here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TORVANE_TRIPLE i686-w64-mingw32)
set(TORVANE_WIDL_ARCH --win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
