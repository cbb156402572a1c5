# The man pages and the package changelog, compressed the way Debian ships them:
# gzip -9n keeps neither the file name nor the time, so every build gives the same bytes.
set(NORVAKET_DOC_BUILD_DIR ${PROJECT_BINARY_DIR}/packaging)

function(norvaket_gzip source compressed)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND gzip -9n -c ${source} > ${compressed}
    DEPENDS ${source}
    COMMENT "Compressing ${source}")
endfunction()

set(man_pages norvaket-status)
if(NORVAKET_BUILD_QT)
  list(APPEND man_pages norvaket)
endif()
set(compressed_files)
foreach(page IN LISTS man_pages)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page}.1.in ${NORVAKET_DOC_BUILD_DIR}/${page}.1 @ONLY)
  norvaket_gzip(${NORVAKET_DOC_BUILD_DIR}/${page}.1 ${NORVAKET_DOC_BUILD_DIR}/${page}.1.gz)
  list(APPEND compressed_files ${NORVAKET_DOC_BUILD_DIR}/${page}.1.gz)
  install(FILES ${NORVAKET_DOC_BUILD_DIR}/${page}.1.gz DESTINATION share/man/man1)
endforeach()

# The package is its own upstream (a native package), so the changelog is changelog.gz.
norvaket_gzip(${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${NORVAKET_DOC_BUILD_DIR}/changelog.gz)
list(APPEND compressed_files ${NORVAKET_DOC_BUILD_DIR}/changelog.gz)
install(FILES ${NORVAKET_DOC_BUILD_DIR}/changelog.gz DESTINATION share/doc/norvaket)

add_custom_target(norvaket_man_pages ALL DEPENDS ${compressed_files})
