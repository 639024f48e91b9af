# Cross-compiles for 64-bit Windows with MinGW-w64, posix thread model (std::thread and
# std::mutex need it), with the C and C++ runtimes linked in statically so the programs run
# without MinGW's DLLs, under Wine as on a workstation.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VARLO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VARLO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARLO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VARLO_MINGW_TRIPLE}-windres)

# Headers, libraries and packages come from the MinGW tree only, never from the build host.
set(CMAKE_FIND_ROOT_PATH /usr/${VARLO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the test programs, and lists their tests, through Wine. Wine's server and services
# are started before CTest and stopped after it (see .ci/run): started from inside a test they
# would keep CTest waiting on the test's output.
find_program(VARLO_WINE NAMES wine wine64)
if(VARLO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VARLO_WINE})
endif()
