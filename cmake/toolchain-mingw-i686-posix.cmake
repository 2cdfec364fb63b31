# Cross build for 32-bit Windows with Debian's MinGW-w64, posix threading model: std::thread
# needs it. Used for qrbatch-cli.exe and the libraries it links (scripts/windows-deps), which
# live in one prefix: QR_WINDOWS_DEPS, build-windows/deps by default.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QR_MINGW_PREFIX i686-w64-mingw32)
set(QR_DEPS_FOLDER deps)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix-common.cmake)
