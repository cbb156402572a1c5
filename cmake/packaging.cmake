# cpack: a Debian package of the Linux build, a ZIP of the Windows build.
set(CPACK_PACKAGE_NAME "norvaket")
set(CPACK_PACKAGE_VENDOR "The Norvaket developers")
set(CPACK_PACKAGE_CONTACT "${NORVAKET_MAIL_ADDRESS}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${NORVAKET_WEB_ADDRESS}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Power supply and battery monitor in the notification area")
# The extended description's lines stay within 80 columns (Debian's rule).
set(CPACK_PACKAGE_DESCRIPTION
    "${NORVAKET_TITLE} watches the power supply and the battery and reports on\n\
them from one icon in the notification area: a battery icon by state and\n\
level, a two-line tooltip and desktop notifications for power events.\n\
Its texts are Japanese.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR "ZIP")
  set(CPACK_SYSTEM_NAME "win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  if(TARGET norvaket)
    install(TARGETS norvaket RUNTIME DESTINATION .)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
else()
  set(CPACK_GENERATOR "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
  set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_VENDOR} <${NORVAKET_MAIL_ADDRESS}>")
  # The library packages come from what the binaries link against (dpkg-shlibdeps).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # UPower is an optional peer (without it the program reads sysfs); Qt runs
  # natively in a Wayland session only with its Wayland platform plugin.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, upower")
  # Every Debian package carries its copyright statement.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in
                 ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION share/doc/norvaket)
  include(${CMAKE_CURRENT_LIST_DIR}/man_pages.cmake)
  # What lintian reports but does not hold for this package, each with its reason.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides
          DESTINATION share/lintian/overrides RENAME norvaket)
endif()

include(CPack)
