# The Windows build of the window (preset mingw-gui): every program lands in bin/, beside the
# DLLs it loads at run time, so the tests run under Wine as the shipped programs do; and the
# target windows-zip lays out and zips the folder an operator unpacks.
#
# Run time: the Qt DLLs and plugins of the kit found by find_package(Qt6), and MinGW's C++
# runtime DLLs, which the kit's DLLs and the programs share (found through the compiler).

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

get_target_property(VARLO_QT_CORE_DLL Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(VARLO_QT_BIN_DIR ${VARLO_QT_CORE_DLL} DIRECTORY)
set(VARLO_QT_PLUGIN_DIR ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})

# Debian's cross compiler knows them as library files; a MinGW on Windows keeps them beside
# g++.exe.
set(VARLO_MINGW_RUNTIME_DLLS "")
get_filename_component(compiler_dir ${CMAKE_CXX_COMPILER} DIRECTORY)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    set(path ${compiler_dir}/${dll})
  endif()
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${dll} (MinGW's runtime) found neither by ${CMAKE_CXX_COMPILER} nor "
      "beside it")
  endif()
  file(REAL_PATH ${path} path)
  list(APPEND VARLO_MINGW_RUNTIME_DLLS ${path})
endforeach()

# The programs and the tests in bin/ load these from their own folder.
file(COPY ${VARLO_MINGW_RUNTIME_DLLS}
  ${VARLO_QT_BIN_DIR}/Qt6Core.dll ${VARLO_QT_BIN_DIR}/Qt6Gui.dll
  ${VARLO_QT_BIN_DIR}/Qt6Widgets.dll ${VARLO_QT_BIN_DIR}/Qt6Test.dll
  DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
file(COPY ${VARLO_QT_PLUGIN_DIR}/platforms ${VARLO_QT_PLUGIN_DIR}/styles
  DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

# windows-zip: built with the programs; cmake/WindowsZip.cmake says what goes in.
function(varlo_add_windows_zip)
  set(zip ${PROJECT_BINARY_DIR}/varlo-windows-x64.zip)
  set(programs varlo)
  foreach(program varlo-cli varlo-devsim)
    if(TARGET ${program})
      list(APPEND programs ${program})
    endif()
  endforeach()
  set(files "")
  foreach(program ${programs})
    list(APPEND files $<TARGET_FILE:${program}>)
  endforeach()
  list(APPEND files ${VARLO_MINGW_RUNTIME_DLLS} ${VARLO_QT_BIN_DIR}/Qt6Core.dll
    ${VARLO_QT_BIN_DIR}/Qt6Gui.dll ${VARLO_QT_BIN_DIR}/Qt6Widgets.dll)
  add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" -DPLUGINS=${VARLO_QT_PLUGIN_DIR}
      -DOBJDUMP=${CMAKE_OBJDUMP} -DSTRIP=${CMAKE_STRIP} -DOUT=${zip} -P ${PROJECT_SOURCE_DIR}/cmake/WindowsZip.cmake
    DEPENDS ${programs} ${PROJECT_SOURCE_DIR}/cmake/WindowsZip.cmake
    COMMENT "Packing varlo-windows-x64.zip"
    VERBATIM)
  add_custom_target(windows-zip ALL DEPENDS ${zip})
endfunction()
