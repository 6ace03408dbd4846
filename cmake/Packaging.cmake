# Installation and the Debian package (cpack -G DEB). The program looks for
# its report definitions in <bin>/../share/q42/reports, so the layout below
# is fixed rather than taken from GNUInstallDirs. Tests are never installed.

install(TARGETS q42 RUNTIME DESTINATION bin)
# The modules loaded on first use: the program looks in <bin>/../lib/q42.
install(TARGETS q42_printing q42_charts LIBRARY DESTINATION lib/q42)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/reports/ DESTINATION share/q42/reports
        FILES_MATCHING PATTERN "*.json")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sql/ DESTINATION share/q42/sql
        FILES_MATCHING PATTERN "*.sql")
# Copied into the user's folder on the first run, every key at its default.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ZK000pr.INI DESTINATION share/q42)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/q42.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/q42.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/q42.png DESTINATION share/icons/hicolor/64x64/apps)

# cpack packs what is built: it must not start building the test suite.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME q42)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Q42 maintainers <maintainers@users.noreply.c-seed-102c7eab.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monthly sworn stock declaration of a wheat flour mill")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Q42 prepares the monthly sworn declaration of stock and movements of wheat
and of its five products and sub-products (flour 000 and 0000, semolina,
pellet and waste) that an Argentine flour mill files with the agriculture
secretariat (SAGPyA). It works beside the mill's business database on
Microsoft SQL Server or Oracle through ODBC, computes the domestic
consumption from the month's sales, carries the closing stocks over to the
next month and prints the declaration.

Q42 prepara la declaración jurada mensual de existencias y movimientos de
trigo y de sus productos y subproductos; con la opción --demo la muestra
sobre una base SQLite de demostración.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Qt and SQLite come from the binary itself and its modules; unixODBC's
# driver manager is loaded when the program first connects through ODBC,
# so it is named here; the fonts are the ones the report definitions name;
# Qt's Spanish texts for its own dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libodbc2, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libsqliteodbc")
set(CPACK_STRIP_FILES ON)
include(CPack)
