# Varnok as a desktop program: what `cmake --install` puts in place (the
# program, its desktop entry, icons, AppStream metainfo and man page), and the
# Debian package that `cpack -G DEB` makes of the same files.
include(GNUInstallDirs)

set(VARNOK_DESKTOP_FILES ${PROJECT_SOURCE_DIR}/res/desktop)
set(VARNOK_ICON_FILES ${PROJECT_SOURCE_DIR}/res/icons)

install(TARGETS varnok RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VARNOK_DESKTOP_FILES}/${VARNOK_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${VARNOK_DESKTOP_FILES}/${VARNOK_APP_ID}.metainfo.xml
  ${CMAKE_CURRENT_BINARY_DIR}/${VARNOK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VARNOK_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The man page goes compressed, as Debian keeps them; made when configuring,
# so installing needs no more than the program built.
configure_file(${VARNOK_DESKTOP_FILES}/varnok.1 ${CMAKE_CURRENT_BINARY_DIR}/varnok.1 @ONLY)
execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/varnok.1
  OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/varnok.1.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/varnok.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon is drawn as SVG; the PNG sizes are rendered from it.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${VARNOK_ICON_FILES}/${VARNOK_APP_ID}-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${VARNOK_APP_ID}.png)
endforeach()
install(FILES ${VARNOK_ICON_FILES}/${VARNOK_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME varnok)
set(CPACK_PACKAGE_VENDOR Varnok)
set(CPACK_PACKAGE_CONTACT "Varnok <varnok@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Stampa la scheda S-21 del proclamatore dai dati della congregazione")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the program links come from dpkg-shlibdeps; what it loads at
# run time (the display plugins, Qt's Italian texts, the print font) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
include(CPack)
