# What a workstation gets: the two programs, the desktop entry, the icon in the hicolor sizes
# and scalable, the AppStream description, the manual pages, the copyright, the changelog, the
# guide and the examples, and lintian's note on the package; and a Debian package of all of it (scripts/package).
include(GNUInstallDirs)

set(TINTAVIS_APP_ID org.tintavis.tintavis)

# The icon is drawn from the logo by the build, so that it never differs from the window's.
set(TINTAVIS_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${TINTAVIS_ICON_DIR}/scalable/apps/tintavis.svg
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:tintavis-icons> ${TINTAVIS_ICON_DIR}
  DEPENDS tintavis-icons
  COMMENT "Drawing the icon")
# Manual pages and the changelog are installed compressed, as Debian keeps them.
set(TINTAVIS_MAN_PAGES)
foreach(page tintavis.1 tintavis-calc.1)
  set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/${page} > ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND TINTAVIS_MAN_PAGES ${compressed})
endforeach()
# The project packages itself (a native package in Debian's terms), so its changelog is
# changelog.gz, not changelog.Debian.gz.
set(TINTAVIS_CHANGELOG ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
  OUTPUT ${TINTAVIS_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${TINTAVIS_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the changelog")
add_custom_target(tintavis_install_data ALL
  DEPENDS ${TINTAVIS_ICON_DIR}/scalable/apps/tintavis.svg ${TINTAVIS_MAN_PAGES} ${TINTAVIS_CHANGELOG})

install(TARGETS tintavis tintavis-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/${TINTAVIS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${TINTAVIS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${TINTAVIS_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TINTAVIS_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian's place for the copyright and the changelog: share/doc/ and the package's name.
install(FILES packaging/copyright ${TINTAVIS_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tintavis)
# The guide in both languages and the example files, so that the manual pages' examples run as
# printed.
install(FILES README.md docs/guia.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tintavis)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tintavis/examples)
install(FILES packaging/tintavis.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tintavis)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintavis)
set(CPACK_PACKAGE_VENDOR "TINTAVIS")
set(CPACK_PACKAGE_CONTACT "TINTAVIS developers <dev@tintavis.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Colour of wines from four absorbances")
# Debian shows the description as it is, so its lines stay under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "TINTAVIS computes the colour of a wine sample from its absorbances at
450, 520, 570 and 630 nm: CIE X, Y, Z and CIELAB L*, a*, b*, C*, h for
illuminant D65 and the 10 degree observer, and the OIV colour Intensity
and Tonality. Samples fill a results grid, are plotted on an a*b* chart
and an L* scale, and can be saved, reopened and printed, in Spanish or
English. The batch tool tintavis-calc computes many samples at once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs are stripped in the package; their symbols and debug information stay beside it
# in debug-symbols/usr/lib/debug/.build-id/ (cmake/DebianStrip.cmake).
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianStrip.cmake)
set(CPACK_TINTAVIS_DEBUG_DIR ${PROJECT_BINARY_DIR}/debug-symbols)
# Beside the libraries found by dpkg-shlibdeps: the window system plugins Qt loads at run time,
# the fonts the charts and the report are drawn with, and Qt's own translations, which make the
# standard buttons and the file and print dialogs speak Spanish. libxlsxwriter writes the
# workbooks; dpkg-shlibdeps finds it too, and it is named here so that the reason stands beside it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n, libxlsxwriter4")
include(CPack)
