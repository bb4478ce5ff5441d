# The Debian package of what the project installs: cpack in the build folder, or
# the "package" target, writes granomet_VERSION_ARCH.deb. Its licence, changelog
# and manual pages are installed here, compressed as Debian's policy asks.
include(GNUInstallDirs)

if(NOT WIN32)
  set(manual_pages granomet-batch granomet-informe)
  if(GRANOMET_ARCHIVE)
    list(APPEND manual_pages granomet-archivo)
  endif()
  if(GRANOMET_QT)
    list(APPEND manual_pages granomet)
  endif()
  # gzip -n leaves out the name and time, so the same sources give the same package.
  set(compressed "")
  foreach(page IN LISTS manual_pages)
    set(copy ${PROJECT_BINARY_DIR}/man/${page}.1)
    add_custom_command(OUTPUT ${copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/man/${page}.1 ${copy}
      COMMAND gzip -9nf ${copy}
      DEPENDS ${PROJECT_SOURCE_DIR}/man/${page}.1 VERBATIM)
    list(APPEND compressed ${copy}.gz)
  endforeach()
  set(changelog ${PROJECT_BINARY_DIR}/doc/changelog)
  add_custom_command(OUTPUT ${changelog}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/debian/changelog ${changelog}
    COMMAND gzip -9nf ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog VERBATIM)
  add_custom_target(granomet_compressed_docs ALL DEPENDS ${compressed} ${changelog}.gz)

  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright ${changelog}.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/granomet)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME granomet)
set(CPACK_PACKAGE_CONTACT
    "Seed 530ca387 maintainers <maintainers@users.noreply.c-seed-530ca387.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grain-size analysis of sediment samples")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Granomet joins a sedimentology laboratory's lot file (field data and sieved\n"
  "gravel and shell weights) with the laser-diffraction analyser's export file,\n"
  "computes each sample's gravel, sand, silt, clay and shell percentages, its\n"
  "moment statistics in micrometres and phi and its Shepard textural class, and\n"
  "writes one results file. It provides the Spanish-language window program\n"
  "granomet, the command-line driver granomet-batch, granomet-informe, which\n"
  "tabulates the statistics of results files, and granomet-archivo, which keeps\n"
  "every run in one GeoPackage archive to list, export and report across lots.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The control files with the modes dpkg-deb gives them (0644), not the umask's.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The Qt libraries and the C++ runtime come from dpkg-shlibdeps; what the window
# loads by name is listed: the fonts that stand in for the designed Arial and MS
# Sans Serif, and Qt's Spanish texts for its own buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
include(CPack)
