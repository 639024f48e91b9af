# varlo_add_core_test(NAME SOURCES ... [LIBS ...] [LABEL L]): a GoogleTest program on the core
# alone, its tests labelled "core", or L ("timing" for the few tests of the real timing, so they
# can be told apart and run on their own: ctest -L timing). Both kinds start with the transport
# on loopback (testsupport/LoopbackDefault.h), so no test can broadcast.
# In a cross build the program runs under CMAKE_CROSSCOMPILING_EMULATOR (Wine for the mingw
# preset), and its tests are listed when CTest starts rather than after each link, so building
# never needs the emulator.
# varlo_add_ui_test(NAME SOURCES ... [LIBS ...] [LABEL L]): a GoogleTest program on the Qt
# front end, run headless (its main passes the offscreen platform itself where the environment
# is not seen, as under Wine), its tests labelled "ui", or L ("timing"); listed when CTest starts
# in a cross build too.
function(varlo_add_core_test name)
  if(NOT VARLO_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/CoreTestMain.cpp)
  target_link_libraries(${name} PRIVATE varlo_core GTest::gtest ${ARG_LIBS})
  if(CMAKE_CROSSCOMPILING)
    set(mode PRE_TEST)
  else()
    set(mode POST_BUILD)
  endif()
  if(NOT ARG_LABEL)
    set(ARG_LABEL core)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE ${mode} DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${ARG_LABEL})
endfunction()

function(varlo_add_ui_test name)
  if(NOT VARLO_BUILD_TESTS OR NOT VARLO_BUILD_GUI)
    return()
  endif()
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/QtTestMain.cpp)
  target_link_libraries(${name} PRIVATE varlo_ui Qt6::Test GTest::gtest ${ARG_LIBS})
  if(CMAKE_CROSSCOMPILING)
    set(mode PRE_TEST)
  else()
    set(mode POST_BUILD)
  endif()
  if(NOT ARG_LABEL)
    set(ARG_LABEL ui)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE ${mode} DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DBUS_SESSION_BUS_ADDRESS=disabled:")
endfunction()

# varlo_add_layer_check(TARGET ...): the CTest test "layers" (cmake/CheckLayers.cmake), given the
# sources of the Qt-free targets among TARGET.
function(varlo_add_layer_check)
  if(NOT VARLO_BUILD_TESTS)
    return()
  endif()
  set(sources "")
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      continue()
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(target_sources ${target} SOURCES)
    foreach(source ${target_sources})
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
      string(APPEND sources "${source}\n")
    endforeach()
  endforeach()
  file(WRITE ${PROJECT_BINARY_DIR}/qt-free-sources.txt "${sources}")
  add_test(NAME layers COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DQT_FREE_SOURCES=${PROJECT_BINARY_DIR}/qt-free-sources.txt
    -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
  set_tests_properties(layers PROPERTIES LABELS layers)
endfunction()
