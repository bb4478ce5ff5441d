# Cross-compiles for 64-bit Windows on Debian with mingw-w64's POSIX-thread
# compilers (packages g++-mingw-w64-x86-64-posix and wine for running the
# tests): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DGRANOMET_QT=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each .exe carries the C and C++ runtimes and the thread library inside, so it
# runs on a PC with nothing installed beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The tests run the programs they build through Wine.
find_program(GRANOMET_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${GRANOMET_WINE})

# GCC 12 warns of overlapping copies inside libstdc++'s own std::string at -O2
# (a known false positive of that release), which -Werror would make fatal.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
