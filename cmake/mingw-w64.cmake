# Cross build for Windows with Debian's mingw-w64. QYMORVINT_MINGW_ARCH is
# i686 (the 32-bit console program) or x86_64; tests run under wine.
set(QYMORVINT_MINGW_ARCH i686 CACHE STRING "mingw-w64 target: i686 or x86_64")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QYMORVINT_MINGW_ARCH})
set(triple ${QYMORVINT_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The posix thread model gives GoogleTest its std::mutex.
# No DLL beside the .exe: zlib, libgcc and libstdc++ are linked in.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
if(QYMORVINT_MINGW_ARCH STREQUAL "x86_64")
  # Debian's wine script prefers the 32-bit loader when both are installed.
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
