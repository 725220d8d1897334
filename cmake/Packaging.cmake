# Installation of the desktop entry and the icon, and the Debian package of the launcher:
#   cmake --install <build> [--prefix <dir>]     or     cpack -G DEB (in the build folder)
# The package holds the launcher and the operator check tool. Its dependencies are those of the
# programs' shared libraries (found by dpkg-shlibdeps) and the fonts, which are loaded at run
# time rather than linked.
install(FILES data/tarvenne.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/tarvenne.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvenne)
set(CPACK_PACKAGE_VENDOR "The Tarvenne launcher developers")
set(CPACK_PACKAGE_CONTACT "The Tarvenne launcher developers <launcher@tarvenne.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop launcher of the online game Tarvenne")
set(CPACK_PACKAGE_DESCRIPTION "Fetches the game's server directory, shows the login page in a \
frameless window and opens the game's web client in its main window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The title and page fonts are looked up by name, so no library names them. The web engine's
# helper process and data come with the shared-library dependencies of Qt WebEngine.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-kouzan-mouhitsu, fonts-arphic-ukai, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland") # Qt's native windows on a Wayland desktop
include(CPack)
