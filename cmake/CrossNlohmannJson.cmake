# nlohmann-json for a cross build. The library is headers only, so the build host's Debian
# package serves any target; but its CMake package would put /usr/include, with the host's C
# library, on the cross compiler's path. Instead a folder in the build tree holds only a link to
# the library's own header folder, and a package file there names that folder, so the cli's
# find_package(nlohmann_json) finds it like any other.
find_path(VARLO_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT VARLO_NLOHMANN_JSON_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found in /usr/include (Debian package "
    "nlohmann-json3-dev); or turn VARLO_BUILD_CLI off")
endif()
set(dir ${PROJECT_BINARY_DIR}/nlohmann-json)
file(MAKE_DIRECTORY ${dir}/include)
file(CREATE_LINK ${VARLO_NLOHMANN_JSON_INCLUDE}/nlohmann ${dir}/include/nlohmann SYMBOLIC)
file(READ ${VARLO_NLOHMANN_JSON_INCLUDE}/nlohmann/json.hpp header LIMIT 4000)
string(REGEX MATCH "version ([0-9]+\\.[0-9]+\\.[0-9]+)" _ "${header}")
set(version ${CMAKE_MATCH_1})
file(WRITE ${dir}/nlohmann_jsonConfig.cmake
  "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
  "  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
  "  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES\n"
  "    INTERFACE_INCLUDE_DIRECTORIES \${CMAKE_CURRENT_LIST_DIR}/include)\n"
  "endif()\n")
file(WRITE ${dir}/nlohmann_jsonConfigVersion.cmake
  "set(PACKAGE_VERSION ${version})\n"
  "if(PACKAGE_FIND_VERSION_MAJOR STREQUAL \"\" OR PACKAGE_FIND_VERSION_MAJOR EQUAL 3)\n"
  "  set(PACKAGE_VERSION_COMPATIBLE TRUE)\n"
  "endif()\n")
set(nlohmann_json_DIR ${dir} CACHE PATH "nlohmann-json's package, for the cross build" FORCE)
