# 64-bit Windows: the same programs and test programs, so that the whole
# suite runs on hosts that run no 32-bit code, in a 64-bit Wine prefix.
set(CHRONEX_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
