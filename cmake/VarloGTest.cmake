# GoogleTest for the tests. A native build uses the host's package. A cross build has no
# GoogleTest for its target, so it builds one from the sources Debian's googletest package
# installs, with the cross compiler and the same static runtime as the tests. So does the
# sanitizer build: the library's std::vector code must carry the same AddressSanitizer
# annotations as the tests', or a vector grown in one and read in the other looks overrun.
if(NOT CMAKE_CROSSCOMPILING AND NOT VARLO_SANITIZE)
  find_package(GTest REQUIRED)
else()
  set(VARLO_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources built inside a cross build")
  if(NOT EXISTS ${VARLO_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${VARLO_GTEST_SOURCE_DIR} "
      "(Debian package googletest); set VARLO_GTEST_SOURCE_DIR")
  endif()
  # GoogleTest's own options, as plain variables (it sets policy CMP0077): no GoogleMock, which
  # no test uses, and nothing to install.
  set(BUILD_GMOCK OFF)
  set(INSTALL_GTEST OFF)
  # SYSTEM: its headers are not ours to keep free of warnings.
  add_subdirectory(${VARLO_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
    EXCLUDE_FROM_ALL SYSTEM)
  # It names its targets GTest::gtest and GTest::gtest_main itself, as the package does.
  # Its one big source is the cross build's longest compile; the framework needs neither
  # optimisation nor debug information to run the tests.
  target_compile_options(gtest PRIVATE -O0 -g0)
  target_compile_options(gtest_main PRIVATE -O0 -g0)
endif()
