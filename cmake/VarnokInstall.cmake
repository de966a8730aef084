# Varnok as a desktop program: what `cmake --install` puts in place (the
# program, its desktop entry, icons, AppStream metainfo and man page), and the
# Debian package that `cpack -G DEB` makes of the same files, with the
# package's changelog and copyright.
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

# The package's own documents, where Debian keeps them.
set(VARNOK_PACKAGE_FILES ${PROJECT_SOURCE_DIR}/res/package)
set(VARNOK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/varnok)
configure_file(${VARNOK_PACKAGE_FILES}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/changelog
  OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${VARNOK_PACKAGE_FILES}/copyright
  DESTINATION ${VARNOK_DOC_DIR})

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
set(CPACK_PACKAGE_CONTACT "Varnok <varnok@varnok.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Stampa la scheda S-21 del proclamatore dai dati della congregazione")
# Lines of at most 80 characters, as Debian's description field wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Varnok stampa la scheda del proclamatore (modulo S-21) sul modulo"
  "prestampato, dai dati della congregazione tenuti dal programma Morlet, di"
  "cui legge i file senza mai modificarli. Mostra l'anteprima"
  "dell'intestazione e dei dodici mesi dell'anno di servizio e stampa i mesi"
  "spuntati nelle posizioni regolate in pollici; stampa anche la carta intera"
  "su carta bianca, l'elenco in un solo lavoro e salva le schede in PDF,"
  "anche dalla riga di comando.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the program links come from dpkg-shlibdeps; what it loads at
# run time (the display plugins, Qt's Italian texts, the print font) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
# A package needs the program, not the test suite: cpack builds only what it
# installs, and `make install` no longer builds everything first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_INSTALL_COMMANDS "${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target varnok")
include(CPack)
