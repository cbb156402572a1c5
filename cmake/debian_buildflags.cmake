# Debian's compiler and linker flags for a package build: fortified string and
# memory functions, the stack protector, read-only relocations bound at start-up.
# dpkg-buildflags is the one place Debian keeps them, so they are read, not copied.
find_program(NORVAKET_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT NORVAKET_DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags not found: the build is not hardened as Debian's packages are")
  return()
endif()

function(norvaket_debian_flags kind output)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${NORVAKET_DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${output} "${flags}" PARENT_SCOPE)
endfunction()

norvaket_debian_flags(CPPFLAGS debian_cppflags)
norvaket_debian_flags(CXXFLAGS debian_cxxflags)
norvaket_debian_flags(LDFLAGS debian_ldflags)
# The build type's own flags come later on the command line, so its -O level stays.
string(APPEND CMAKE_CXX_FLAGS " ${debian_cppflags} ${debian_cxxflags}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_ldflags}")
string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${debian_ldflags}")
