# Cross build for 32-bit Windows with Debian's MinGW-w64, posix threading model: std::thread
# needs it. Used for qrbatch-cli.exe and the libraries it links (scripts/windows-deps), which
# live in one prefix: QR_WINDOWS_DEPS, build-windows/deps by default.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QR_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QR_MINGW_PREFIX}-windres)

if(NOT QR_WINDOWS_DEPS)
  get_filename_component(QR_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps" ABSOLUTE)
endif()
# try_compile projects read this file again and need the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QR_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH ${QR_WINDOWS_DEPS} /usr/${QR_MINGW_PREFIX})
set(CMAKE_PREFIX_PATH ${QR_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the prefix alone: its .pc files list every library a static link needs.
set(ENV{PKG_CONFIG_LIBDIR} "${QR_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# The program runs on a bare Windows: the C++ runtime, libgcc and winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release files ship without symbols or debug sections.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
