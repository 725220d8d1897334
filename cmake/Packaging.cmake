# Installation of the programs' data and documentation, and the Debian package of the launcher:
#   cmake --install <build> [--prefix <dir>]     or     cpack -G DEB (in the build folder)
# Both programs go to bin/, so the package's section is net (a network client) rather than
# games, whose programs Debian puts in /usr/games; their manual pages are in section 1. Manual
# pages and the changelog are installed compressed as Debian's policy asks (gzip -9n: no name,
# no time stamp). The package's dependencies are those of the programs' shared libraries (found
# by dpkg-shlibdeps) and the fonts, which are loaded at run time rather than linked.
install(FILES data/tarvenne.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/invalid.tarvenne.launcher.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/tarvenne.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES data/icons/${size}x${size}/tarvenne.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages and the changelog are for Debian and the other Linux systems; a Windows build has
# no gzip to compress them with.
if(NOT WIN32)
    set(compressed_docs_dir ${CMAKE_BINARY_DIR}/compressed-docs)
    set(compressed_docs)
    foreach(doc man/tarvenne.1 man/tarvenne-directory.1 debian/changelog)
        get_filename_component(name ${doc} NAME)
        set(compressed ${compressed_docs_dir}/${name}.gz)
        add_custom_command(OUTPUT ${compressed}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_docs_dir}
            COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/data/${doc} > ${compressed}
            DEPENDS ${CMAKE_SOURCE_DIR}/data/${doc}
            COMMENT "Compressing ${doc}")
        list(APPEND compressed_docs ${compressed})
    endforeach()
    add_custom_target(tarvenne_compressed_docs ALL DEPENDS ${compressed_docs})
    install(FILES ${compressed_docs_dir}/tarvenne.1.gz ${compressed_docs_dir}/tarvenne-directory.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${compressed_docs_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvenne)
set(CPACK_PACKAGE_VENDOR "The Tarvenne launcher developers")
set(CPACK_PACKAGE_CONTACT "The Tarvenne launcher developers <launcher@tarvenne.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop launcher of the online game Tarvenne")
# Debian's extended description, after the summary: lines of at most 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The launcher fetches the game's server directory, shows the login page in a
frameless window of artwork and opens the game's web client in its main window.
.
The package also holds tarvenne-directory, the operators' check of the update
document that the directory server publishes.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvenne.invalid/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The title and page fonts are looked up by name, so no library names them; nor does any name
# libcrypto, which the programs load when they first read a signing key. The web engine's
# helper process and data come with the shared-library dependencies of Qt WebEngine.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-kouzan-mouhitsu, fonts-arphic-ukai, fonts-dejavu-core, libssl3")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland") # Qt's native windows on a Wayland desktop
include(CPack)
