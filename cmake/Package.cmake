# The Debian package, built with CPack from the install rules; tools/make-package packs the
# release build that the tests ran, hardened by the top-level CMakeLists.txt.
# Depends: the shared libraries as dpkg-shlibdeps finds them, and the DejaVu faces the windows
# are laid out for (the condensed ones come in fonts-dejavu-extra), and Qt's own Russian
# translations (qt6-translations-l10n) that the standard dialogs and buttons speak.
# Recommends: LibreOffice Calc, which opens the exported worksheets.

# Files only the Debian package carries; a plain `cmake --install` leaves them out.
set(VEDAN_DEBIAN_DIR "${CMAKE_BINARY_DIR}/debian")
configure_file(resources/debian/changelog "${VEDAN_DEBIAN_DIR}/changelog" COPYONLY)
execute_process(COMMAND gzip -9 -n -f "${VEDAN_DEBIAN_DIR}/changelog" COMMAND_ERROR_IS_FATAL ANY)
install(FILES "${VEDAN_DEBIAN_DIR}/changelog.gz" DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES resources/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME vedan COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vedan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ОАО «Завод Ведан»")
set(CPACK_PACKAGE_CONTACT "Vedan developers <dev@vedan.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped as dh_strip does it, the notes and comments of the compiler included.
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/StripPackaged.cmake")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "equipment selection for district-heating substations (Russian)")
set(CPACK_PACKAGE_DESCRIPTION
    "The equipment selection program of the Vedan plant. It sizes regulating
hydroelevators, shut-off and control valves, three-way mixing valves and
direct-acting pressure regulators for heating substations, assesses the
savings of automatic heat control, fills in order questionnaires and hands
every result to a spreadsheet as a formatted worksheet.
The user interface is in Russian; vedan-cli does the same computations on
the command line.")

# One package holding both the default component and the Debian-only files.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc")

include(CPack)
