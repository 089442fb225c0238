# Cross build of the Windows x64 engine with Debian's mingw-w64 toolchain, the
# posix-thread variant (std::thread and std::mutex on winpthreads):
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# `make windows` does this and leaves build/windows/pbrain-vodaro64.exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VODARO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VODARO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VODARO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VODARO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VODARO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file, nothing beside it: the C and C++ runtimes and winpthreads linked in;
# only system DLLs (kernel32, msvcrt) stay dynamic; symbols stripped. Every thread gets an 8 MiB
# stack reserve, as on Linux, for the deep recursion of the search.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -s -Wl,--stack,8388608")
