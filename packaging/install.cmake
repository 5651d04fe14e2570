# The install tree: the program, the engine beside it in the library folder, and what
# the Linux screen-saver hosts look for (XScreenSaver's hack folder and settings page,
# the MATE and Xfce screen-saver entry). Included from saver/CMakeLists.txt.

install(TARGETS orvex-lumora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS OrvexM6 LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

set(ORVEX_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
# XScreenSaver starts hacks from its own folder; a link keeps one copy of the program.
file(RELATIVE_PATH ORVEX_PROGRAM_FROM_HACK_DIR ${CMAKE_INSTALL_PREFIX}/${ORVEX_HACK_DIR}
     ${CMAKE_INSTALL_FULL_BINDIR}/orvex-lumora)
install(CODE "
  set(hackDir \"\$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${ORVEX_HACK_DIR}\")
  file(MAKE_DIRECTORY \"\${hackDir}\")
  file(CREATE_LINK \"${ORVEX_PROGRAM_FROM_HACK_DIR}\" \"\${hackDir}/orvex-lumora\" SYMBOLIC)
  message(STATUS \"Installing: \${hackDir}/orvex-lumora\")
")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)

set(ORVEX_HACK_PATH ${CMAKE_INSTALL_PREFIX}/${ORVEX_HACK_DIR}/orvex-lumora)
configure_file(${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.desktop.in ${CMAKE_BINARY_DIR}/packaging/orvex-lumora.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/orvex-lumora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
