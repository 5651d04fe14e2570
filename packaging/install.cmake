# SPDX-License-Identifier: MIT
# The install tree: the program, the engine in a private folder of its own, and what the
# Linux screen-saver hosts and desktops look for (XScreenSaver's hack folder and settings
# page, the MATE and Xfce screen-saver entry, a starter for xsecurelock before 1.5, the
# settings dialog's menu entry, its AppStream metainfo and icon), the help document and
# the man page. Every file, generated ones included, is made in the build tree and
# installed by rule, so install_manifest.txt lists them all. Paths inside the generated
# files are those of the configured prefix.

install(TARGETS orvex-lumora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS OrvexM6 LIBRARY DESTINATION ${ORVEX_ENGINE_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
# The help window looks for it beside the program, then here.
install(FILES ${PROJECT_SOURCE_DIR}/info/help/Orvex_Gen.html DESTINATION ${CMAKE_INSTALL_DATADIR}/orvex-lumora)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.orvexlumora.OrvexLumora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(ORVEX_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
set(ORVEX_PROGRAM_PATH ${CMAKE_INSTALL_FULL_BINDIR}/orvex-lumora)
set(ORVEX_HACK_PATH ${CMAKE_INSTALL_PREFIX}/${ORVEX_HACK_DIR}/orvex-lumora)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/install)

# XScreenSaver starts hacks from its own folder; a relative link keeps one copy of the
# program and survives a DESTDIR.
file(RELATIVE_PATH hackToProgram ${CMAKE_INSTALL_PREFIX}/${ORVEX_HACK_DIR} ${ORVEX_PROGRAM_PATH})
file(MAKE_DIRECTORY ${generated}/hack)
file(CREATE_LINK ${hackToProgram} ${generated}/hack/orvex-lumora SYMBOLIC)
install(FILES ${generated}/hack/orvex-lumora DESTINATION ${ORVEX_HACK_DIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.desktop.in ${generated}/screensavers/orvex-lumora.desktop @ONLY)
install(FILES ${generated}/screensavers/orvex-lumora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
configure_file(${CMAKE_CURRENT_LIST_DIR}/org.orvexlumora.OrvexLumora.desktop.in
               ${generated}/org.orvexlumora.OrvexLumora.desktop @ONLY)
install(FILES ${generated}/org.orvexlumora.OrvexLumora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
file(RELATIVE_PATH ORVEX_STARTER_TO_PROGRAM ${CMAKE_INSTALL_FULL_LIBEXECDIR}/orvex-lumora ${ORVEX_PROGRAM_PATH})
configure_file(${CMAKE_CURRENT_LIST_DIR}/xsecurelock-saver.in ${generated}/xsecurelock-saver @ONLY)
install(PROGRAMS ${generated}/xsecurelock-saver DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvex-lumora)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvex-lumora)
