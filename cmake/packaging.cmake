# The Debian package of the Linux programs: both programs, the desktop entry and icon, the manual
# pages, the copyright file and the changelog, with dependencies from dpkg-shlibdeps.
# scripts/package configures a build with TARNWICK_PACKAGE=ON and runs cpack in it.
option(TARNWICK_PACKAGE "Add the manual pages and the Debian package settings" OFF)
if(NOT TARNWICK_PACKAGE OR WIN32 OR NOT TARNWICK_BUILD_QT_VIEW)
    return()
endif()

include(GNUInstallDirs)
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)
set(docs ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)

# Debian wants manual pages and the changelog compressed, and without a time stamp inside.
configure_file(${packaging}/tarnwick.1.in ${generated}/tarnwick.1 @ONLY)
configure_file(${packaging}/changelog.in ${generated}/changelog @ONLY)
add_custom_command(
    OUTPUT ${generated}/tarnwick-cli.1.gz ${generated}/tarnwick.1.gz ${generated}/changelog.gz
    COMMAND ${HELP2MAN} --no-info --section=1
            "--name=back up the changed files of chosen folders, from a terminal"
            --include=${packaging}/tarnwick-cli.h2m --output=${generated}/tarnwick-cli.1
            $<TARGET_FILE:tarnwick-cli>
    COMMAND ${GZIP} -9nf ${generated}/tarnwick-cli.1
    COMMAND ${GZIP} -9nkf ${generated}/tarnwick.1 ${generated}/changelog
    DEPENDS tarnwick-cli ${packaging}/tarnwick-cli.h2m ${generated}/tarnwick.1 ${generated}/changelog
    VERBATIM)
add_custom_target(tarnwick_package_files
    DEPENDS ${generated}/tarnwick-cli.1.gz ${generated}/tarnwick.1.gz ${generated}/changelog.gz)
install(FILES ${generated}/tarnwick.1.gz ${generated}/tarnwick-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${generated}/changelog.gz DESTINATION ${docs})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarnwick maintainers <maintainers@tarnwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scheduled backup of changed files, from the tray")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tarnwick lives in the notification area and, daily at a set time, every few\n"
    "minutes or on request, copies the changed files of chosen folders into one\n"
    "destination folder, filtered by file type, size or skipped folders. It never\n"
    "deletes a file in the backup. Its interface is in Simplified Chinese.\n"
    "The package holds the window program tarnwick and the command-line program\n"
    "tarnwick-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TARNWICK_HOME_PAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads these as plugins, which dpkg-shlibdeps cannot see: the pictures are SVG, the buttons
# of Qt's own dialogs read Chinese with its translations, and Chinese needs a font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
