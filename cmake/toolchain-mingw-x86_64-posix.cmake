# The same for 64-bit Windows. The shipped tool is 32-bit; this build lets the tests run the
# tool's threads under Wine without an emulator, where the 32-bit side has none of its own.
# Its prefix: build-windows/deps-x86_64 by default.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QR_MINGW_PREFIX x86_64-w64-mingw32)
set(QR_DEPS_FOLDER deps-x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-posix-common.cmake)
