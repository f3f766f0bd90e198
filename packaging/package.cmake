# What `cmake --install` puts beside the program, and the Debian package cpack -G DEB makes of it:
#   cmake --build build && (cd build && cpack -G DEB)   ->   build/mapcatalogue_<version>_amd64.deb
# The version is the project's, in one place: project() in the top CMakeLists.txt.
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/app/mapcatalogue.1 ${packaging_out}/mapcatalogue.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/org.mapcatalogue.mapcatalogue.metainfo.xml
               ${packaging_out}/org.mapcatalogue.mapcatalogue.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${packaging_out}/changelog @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp (-n) so the package is reproducible.
add_custom_command(OUTPUT ${packaging_out}/mapcatalogue.1.gz ${packaging_out}/changelog.gz
                   COMMAND gzip -9nkf ${packaging_out}/mapcatalogue.1 ${packaging_out}/changelog
                   DEPENDS ${packaging_out}/mapcatalogue.1 ${packaging_out}/changelog)
add_custom_target(packaging_docs ALL DEPENDS ${packaging_out}/mapcatalogue.1.gz ${packaging_out}/changelog.gz)

foreach(size 48 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icons/hicolor/${size}x${size}/apps/mapcatalogue.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${packaging_out}/org.mapcatalogue.mapcatalogue.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_out}/mapcatalogue.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${packaging_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mapcatalogue)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mapcatalogue)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Map Catalogue Developers <maintainers@mapcatalogue.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue and viewer of scanned historical maps")
set(CPACK_PACKAGE_DESCRIPTION "Browses a collection of scanned historical maps as published on a disc:
city plans, regional and country maps, metro schemes and articles. Lists are
ordered by name, year or image quality, and the chosen map shows with a
preview, its author, description and rating. A map opens in a full-screen
viewer that zooms, fits and pans. The user interface is in Russian.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links to are found by dpkg-shlibdeps; what it cannot see: Qt's Russian texts of its own
# dialogs, and a sans font with Cyrillic letters for the windows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2 | fonts-dejavu-core")
# Qt's Wayland platform plugin: without it a Wayland session runs the program through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
