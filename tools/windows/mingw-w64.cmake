# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# The real path: wx-config names its folders so, and paths under a root are not re-rooted.
get_filename_component(VELLUMARK_WINDOWS_PREFIX "${VELLUMARK_WINDOWS_PREFIX}" REALPATH)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VELLUMARK_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No libgcc or libstdc++ DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# pkg-config answers from the libraries built for Windows only.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELLUMARK_WINDOWS_PREFIX)
set(ENV{PKG_CONFIG_LIBDIR} "${VELLUMARK_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
