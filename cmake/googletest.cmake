# Native builds use Debian's prebuilt GoogleTest; cross builds compile it from
# Debian's source package with the cross toolchain.
if(CMAKE_CROSSCOMPILING)
  set(NORVAKET_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${NORVAKET_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # GoogleTest's own build already defines the GTest:: aliases.
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# One ctest entry per test case natively; one per executable under an emulator,
# where every process start is expensive.
function(norvaket_register_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
