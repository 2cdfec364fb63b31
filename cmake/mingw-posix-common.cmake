# The body of the posix-thread MinGW toolchains: the including file names the target
# (CMAKE_SYSTEM_PROCESSOR, QR_MINGW_PREFIX) and its default prefix folder (QR_DEPS_FOLDER).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QR_MINGW_PREFIX}-windres)

if(NOT QR_WINDOWS_DEPS)
  get_filename_component(QR_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-windows/${QR_DEPS_FOLDER}"
                         ABSOLUTE)
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
