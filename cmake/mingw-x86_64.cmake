# Cross toolchain for 64-bit Windows (the tested build). Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TORVANE_TRIPLE x86_64-w64-mingw32)
set(TORVANE_WIDL_ARCH --win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
