# The Debian package of the Linux program, made by "cpack -G DEB" from what
# "cmake --install" installs (tools/dist.sh runs it). The libraries it
# depends on are computed by dpkg-shlibdeps from the program itself.
include(GNUInstallDirs)
# "cpack" installs what tools/dist.sh built (the program), not every target.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(KARTOTRIX_MAINTAINER "Kartotrix-Entwickler <kartotrix@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")
# The date of the release named in the AppStream description.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/kartotrix.metainfo.xml.in release_line REGEX "<release ")
string(REGEX REPLACE ".*date=\"([0-9-]+)\".*" "\\1" release_date "${release_line}")
execute_process(COMMAND date -u -R -d "${release_date} 12:00"
                OUTPUT_VARIABLE KARTOTRIX_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in
               ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${CMAKE_BINARY_DIR}/packaging/changelog
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kartotrix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kartotrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kartotrix-Entwickler")
set(CPACK_PACKAGE_CONTACT "${KARTOTRIX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Schreibblock für Doppelkopf")
set(CPACK_PACKAGE_DESCRIPTION
    "Kartotrix ist der Schreibblock für einen Doppelkopf-Abend mit 4, 5 oder 6\n"
    "Spielern. Nach jedem Spiel wählt, wer schreibt, die Gewinner und die Punkte;\n"
    "Kartotrix führt die Zwischenstände, die Aussetzenden und das Geben, sichert\n"
    "den Block nach jeder Eingabe und druckt ihn.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# "games" would ask for the program under /usr/games; a score pad is no game itself.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its window-system plugins at run time, so dpkg-shlibdeps cannot
# see them; the German texts of Qt's own dialogs are welcome, not needed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
if(KARTOTRIX_HOMEPAGE AND NOT KARTOTRIX_HOMEPAGE MATCHES "[./]example\\.(org|com|net)")
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KARTOTRIX_HOMEPAGE}")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/debian/gzip-docs.cmake)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
include(CPack)
