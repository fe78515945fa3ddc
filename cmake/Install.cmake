# What an installation holds, in the GNU layout under CMAKE_INSTALL_PREFIX:
#   bin/vedan, bin/vedan-cli
#   share/vedan/pictures/       the product pictures; the program looks for share/vedan/pictures
#                               beside the folder of its executable (ui/shell/Pictures.cpp)
#   share/vedan/guide/         the user's guide, one HTML page a chapter with its style sheet,
#                               written by tools/guide; the help window looks for it beside
#                               the folder of its executable (ui/shell/HelpWindow.cpp)
#   share/applications/, share/metainfo/, share/icons/hicolor/<N>x<N>/apps/
#                               the desktop entry, the AppStream metadata and the icon, each
#                               named after VEDAN_APP_ID
#   share/mime/packages/        the MIME type of the project files (.vedan), also named so
#   share/doc/vedan/            README.md and the copyright notice

set(VEDAN_DESKTOP_DIR "${CMAKE_BINARY_DIR}/desktop")
configure_file(resources/desktop/vedan.desktop.in "${VEDAN_DESKTOP_DIR}/${VEDAN_APP_ID}.desktop"
               @ONLY)
configure_file(resources/desktop/vedan.metainfo.xml.in
               "${VEDAN_DESKTOP_DIR}/${VEDAN_APP_ID}.metainfo.xml" @ONLY)

install(TARGETS vedan vedan-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY resources/pictures/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vedan/pictures
        FILES_MATCHING PATTERN "*.jpg")

install(DIRECTORY "${VEDAN_GUIDE_BUILD_DIR}/" DESTINATION ${CMAKE_INSTALL_DATADIR}/vedan/guide
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css")

install(FILES "${VEDAN_DESKTOP_DIR}/${VEDAN_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${VEDAN_DESKTOP_DIR}/${VEDAN_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# shared-mime-info's trigger rebuilds the MIME database when the package installs it.
install(FILES resources/desktop/vedan-project.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${VEDAN_APP_ID}.xml)

# tools/make-pictures --icon draws resources/desktop/icons/<N>x<N>/vedan.png.
file(GLOB VEDAN_ICON_SIZES RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop/icons"
     "${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop/icons/*x*")
foreach(size IN LISTS VEDAN_ICON_SIZES)
  install(FILES resources/desktop/icons/${size}/vedan.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps RENAME ${VEDAN_APP_ID}.png)
endforeach()

install(FILES README.md resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual page of vedan-cli, compressed as Debian keeps manual pages, and its bash completion.
set(VEDAN_MANPAGE_GZ "${CMAKE_CURRENT_BINARY_DIR}/vedan-cli.1.gz")
add_custom_command(OUTPUT "${VEDAN_MANPAGE_GZ}"
  COMMAND gzip -9n -c "${CMAKE_CURRENT_SOURCE_DIR}/resources/man/vedan-cli.1" > "${VEDAN_MANPAGE_GZ}"
  DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/resources/man/vedan-cli.1"
  VERBATIM)
add_custom_target(vedan_manpage ALL DEPENDS "${VEDAN_MANPAGE_GZ}")
install(FILES "${VEDAN_MANPAGE_GZ}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/completion/vedan-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
