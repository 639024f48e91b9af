# The layering check, run by CTest as `cmake -P` (test "layers"):
#   cmake -DSOURCE_DIR=<tree> -DQT_FREE_SOURCES=<file> -P cmake/CheckLayers.cmake
# 1. Folders depend downward only. A file may include files of the folders its folder's rule
#    names: transport <- discovery <- serialserver, artnet, comport <- app, cli; sim above
#    serialserver and artnet, used by app and cli for --demo; widgets, the Qt widgets the UI
#    files of discovery, serialserver, artnet, comport and app use. artnet4 (the public Art-Net
#    4 protocol) stands on transport alone, beside artnet (the nodes' own protocol): neither
#    includes the other; sim, app and cli use it. configfiles (configuration files and named
#    fields, Qt-free) above serialserver and artnet and below app and cli. Siblings never include each
#    other. Test folders (*/tests/), testsupport, bench, fuzz and cmake may include anything.
# 2. The core never includes Qt. The core library has no Qt include path, so a Qt header in a
#    core source would not even compile; this check names the file all the same, and also
#    covers the simulator, the configuration files and varlo-cli: every source of a Qt-free target (listed in
#    QT_FREE_SOURCES by the build) and every project header it includes, directly or not.
# A folder with sources and no rule fails too: a new folder gets its place in the layers here.
cmake_minimum_required(VERSION 3.25)

set(layer_transport transport)
set(layer_discovery transport discovery widgets)
set(layer_serialserver transport discovery serialserver widgets)
set(layer_artnet transport discovery artnet widgets)
set(layer_artnet4 transport artnet4 widgets)
set(layer_comport transport discovery comport widgets)
set(layer_sim transport discovery serialserver artnet artnet4 sim)
set(layer_widgets transport widgets)
set(layer_configfiles transport discovery serialserver artnet configfiles)
set(layer_app transport discovery serialserver artnet artnet4 comport sim configfiles widgets app)
set(layer_cli transport discovery serialserver artnet artnet4 comport sim configfiles cli)
set(free_folders testsupport bench fuzz cmake)
set(skipped_folders build screenshots scripts)

if(NOT SOURCE_DIR OR NOT QT_FREE_SOURCES)
  message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=DIR -DQT_FREE_SOURCES=FILE -P CheckLayers.cmake")
endif()

file(GLOB top RELATIVE ${SOURCE_DIR} LIST_DIRECTORIES true ${SOURCE_DIR}/*)
set(folders "")
foreach(entry ${top})
  if(IS_DIRECTORY ${SOURCE_DIR}/${entry} AND NOT entry MATCHES "^\\." AND
     NOT entry IN_LIST skipped_folders)
    list(APPEND folders ${entry})
  endif()
endforeach()

# The project files a file includes with quotes, as paths from the tree's top.
function(project_includes file out)
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  set(found "")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" path "${line}")
    if(EXISTS ${SOURCE_DIR}/${path})
      list(APPEND found ${path})
    else()
      get_filename_component(dir ${file} DIRECTORY)
      if(EXISTS ${SOURCE_DIR}/${dir}/${path})
        list(APPEND found ${dir}/${path})
      endif()
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

set(failures "")
set(checked 0)
foreach(folder ${folders})
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.inl)
  if(NOT files OR folder IN_LIST free_folders)
    continue()
  endif()
  if(NOT DEFINED layer_${folder})
    list(APPEND failures "${folder}/ has no rule in cmake/CheckLayers.cmake")
    continue()
  endif()
  foreach(file ${files})
    if(file MATCHES "/tests/")
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    project_includes(${file} includes)
    foreach(include ${includes})
      string(REGEX REPLACE "/.*" "" to "${include}")
      if(to IN_LIST folders AND NOT to IN_LIST layer_${folder})
        list(JOIN layer_${folder} ", " allowed)
        list(APPEND failures "${file} includes ${include}: ${folder}/ may include only ${allowed}")
      endif()
    endforeach()
  endforeach()
endforeach()

# The Qt-free closure.
file(STRINGS ${QT_FREE_SOURCES} pending)
set(seen "")
while(pending)
  list(POP_FRONT pending file)
  file(RELATIVE_PATH file ${SOURCE_DIR} ${file})
  if(file MATCHES "^\\.\\./" OR file IN_LIST seen OR NOT EXISTS ${SOURCE_DIR}/${file})
    continue()
  endif()
  list(APPEND seen ${file})
  # <QString>, <QtCore/...>, <qglobal.h>; not <queue>.
  file(STRINGS ${SOURCE_DIR}/${file} qt REGEX "^[ \t]*#[ \t]*include[ \t]*<(Q|q[a-z0-9_]*\\.h>)")
  foreach(line ${qt})
    string(STRIP "${line}" line)
    list(APPEND failures "${file} is Qt-free code and has ${line}")
  endforeach()
  project_includes(${file} includes)
  foreach(include ${includes})
    list(APPEND pending ${SOURCE_DIR}/${include})
  endforeach()
endwhile()
list(LENGTH seen qtFree)

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Layers kept in ${checked} files; no Qt include in the ${qtFree} Qt-free sources and headers")
