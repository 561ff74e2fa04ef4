# Cross build for 64-bit Windows with Debian's MinGW-w64 GCC (POSIX threads,
# for std::thread and std::mutex). Libraries are looked for only in the
# MinGW-w64 system folder and in the prefix scripts/windows-deps fills, never
# among the host's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)
set(CMAKE_AR ${_mingw}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${_mingw}-ranlib CACHE FILEPATH "")

get_filename_component(_moravel_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(MORAVEL_MINGW_PREFIX ${_moravel_root}/build/mingw/prefix CACHE PATH
    "Cross-built libraries (scripts/windows-deps)")
set(CMAKE_FIND_ROOT_PATH ${MORAVEL_MINGW_PREFIX} /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config reads only the prefix's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} ${MORAVEL_MINGW_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The programs carry the C and C++ run-time libraries and winpthreads inside,
# so that they run without DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# zlib's import library for its DLL lies beside the static one.
set(ZLIB_USE_STATIC_LIBS ON)
