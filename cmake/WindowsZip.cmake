# Lays out the folder a Windows operator unpacks and runs varlo.exe from, and zips it:
#   cmake -DFILES=<programs and DLLs> -DPLUGINS=<Qt plugin dir> -DOBJDUMP=<objdump> -DSTRIP=<strip>
#     -DOUT=<zip>
#     -P cmake/WindowsZip.cmake
# varlo-windows-x64/ holds the programs, the DLLs they load, Qt's plugins for the real screen
# (platforms/qwindows.dll) and the native look (styles/), and a qt.conf that keeps Qt looking
# for its plugins inside the folder rather than where the kit was built. Every DLL a program or
# plugin imports must be in the folder or be part of Windows: the check below fails the build
# otherwise, so a missing runtime DLL is found here and not on an operator's machine.
cmake_minimum_required(VERSION 3.25)

get_filename_component(work ${OUT} DIRECTORY)
set(stage ${work}/windows-zip)
set(folder ${stage}/varlo-windows-x64)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${folder}/platforms ${folder}/styles)
file(COPY ${FILES} DESTINATION ${folder})
file(COPY ${PLUGINS}/platforms/qwindows.dll DESTINATION ${folder}/platforms)
file(COPY ${PLUGINS}/styles/qwindowsvistastyle.dll DESTINATION ${folder}/styles)
file(WRITE ${folder}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\n")

# Windows' own DLLs, which no folder ships.
set(system_dlls advapi32 comdlg32 d3d9 dwmapi gdi32 imm32 kernel32 mpr msvcrt netapi32 ole32
  oleaut32 setupapi shell32 shlwapi user32 userenv uxtheme version winmm ws2_32 wtsapi32 iphlpapi
  authz dxgi d3d11 d3d12 dwrite opengl32 secur32 crypt32 bcrypt ncrypt shcore)
file(GLOB_RECURSE binaries ${folder}/*.exe ${folder}/*.dll)
file(GLOB shipped RELATIVE ${folder} ${folder}/*.dll)
string(TOLOWER "${shipped}" shipped)
set(missing "")
foreach(binary ${binaries})
  execute_process(COMMAND ${OBJDUMP} -p ${binary} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${binary} failed")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  foreach(line ${imports})
    string(REGEX REPLACE "DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    string(REGEX REPLACE "\\.dll$" "" base "${dll}")
    if(NOT dll IN_LIST shipped AND NOT base IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-")
      get_filename_component(name ${binary} NAME)
      list(APPEND missing "${name} imports ${dll}")
    endif()
  endforeach()
endforeach()
if(missing)
  list(REMOVE_DUPLICATES missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "varlo-windows-x64 lacks DLLs:\n  ${text}")
endif()

# Debug information out: Debian's MinGW runtime DLLs carry theirs (24 MB of the 25 MB libstdc++),
# and the static MinGW libraries bring theirs into the programs.
foreach(dll ${binaries})
  if(dll MATCHES "/(lib[^/]*\\.dll|[^/]*\\.exe)$")
    execute_process(COMMAND ${STRIP} --strip-unneeded ${dll} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${STRIP} ${dll} failed")
    endif()
  endif()
endforeach()

# The programs name no folder of the build machine (Qt finds its plugins through qt.conf, and
# the DLLs beside the program through Windows' own search).
file(GLOB programs ${folder}/*.exe)
foreach(program ${programs})
  file(STRINGS ${program} paths REGEX "/(work|usr|home|tmp|root)/" LIMIT_COUNT 1)
  if(paths)
    message(FATAL_ERROR "${program} names a build machine path: ${paths}")
  endif()
endforeach()

file(REMOVE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT} --format=zip varlo-windows-x64
  WORKING_DIRECTORY ${stage} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zipping ${OUT} failed")
endif()
