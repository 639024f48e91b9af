# The mingw toolchain for programs that use the Qt for MinGW kit. The kit's DLLs link MinGW's C++
# runtime dynamically, so the programs do too: one libstdc++ for the program and Qt, whose
# objects (strings, exceptions) cross between them. The runtime DLLs ship beside the programs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "")

# The kit lies beside the repository (presets pass VARLO_QT_MINGW_DIR); packages are searched
# only under the find roots, so the kit becomes one. Normalised: Qt's package finds its parts
# by paths that must start with the root as written here, without "..".
if(NOT VARLO_QT_MINGW_DIR)
  set(VARLO_QT_MINGW_DIR ${CMAKE_CURRENT_LIST_DIR}/../../shared/qt6-mingw)
endif()
get_filename_component(kit ${VARLO_QT_MINGW_DIR} ABSOLUTE)
list(APPEND CMAKE_FIND_ROOT_PATH ${kit})
