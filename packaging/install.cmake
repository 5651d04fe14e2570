# The install tree: the program, the engine in the library folder beside the program's,
# and what the Linux screen-saver hosts look for (XScreenSaver's hack folder and settings
# page, the MATE and Xfce screen-saver entry), and the settings dialog's entry in the
# applications menu. Included from saver/CMakeLists.txt.

install(TARGETS orvex-lumora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS OrvexM6 LIBRARY DESTINATION ${ORVEX_ENGINE_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
# The help window looks for it beside the program, then here.
install(FILES ${PROJECT_SOURCE_DIR}/info/help/Orvex_Gen.html DESTINATION ${CMAKE_INSTALL_DATADIR}/orvex-lumora)

# The prefix may still change at install time (cmake --install --prefix), so the link
# and the entry's program path are made then.
set(ORVEX_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
set(ORVEX_SCREENSAVER_ENTRY_DIR ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
set(ORVEX_XSECURELOCK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/orvex-lumora)
set(ORVEX_APPLICATIONS_DIR ${CMAKE_INSTALL_DATADIR}/applications)
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(hackDir \"\$ENV{DESTDIR}\${prefix}/${ORVEX_HACK_DIR}\")
  file(RELATIVE_PATH program \"\${prefix}/${ORVEX_HACK_DIR}\" \"\${prefix}/${CMAKE_INSTALL_BINDIR}/orvex-lumora\")
  file(MAKE_DIRECTORY \"\${hackDir}\")
  message(STATUS \"Installing: \${hackDir}/orvex-lumora\")
  # XScreenSaver starts hacks from its own folder; a link keeps one copy of the program.
  file(CREATE_LINK \"\${program}\" \"\${hackDir}/orvex-lumora\" SYMBOLIC)
  set(ORVEX_HACK_PATH \"\${prefix}/${ORVEX_HACK_DIR}/orvex-lumora\")
  set(entry \"\$ENV{DESTDIR}\${prefix}/${ORVEX_SCREENSAVER_ENTRY_DIR}/orvex-lumora.desktop\")
  message(STATUS \"Installing: \${entry}\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/orvex-lumora.desktop.in\" \"\${entry}\" @ONLY)
  set(ORVEX_PROGRAM_PATH \"\${prefix}/${CMAKE_INSTALL_BINDIR}/orvex-lumora\")
  set(saver \"\$ENV{DESTDIR}\${prefix}/${ORVEX_XSECURELOCK_DIR}/xsecurelock-saver\")
  message(STATUS \"Installing: \${saver}\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/xsecurelock-saver.in\" \"\${saver}\" @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  # The settings dialog in the applications menu.
  set(settings \"\$ENV{DESTDIR}\${prefix}/${ORVEX_APPLICATIONS_DIR}/orvex-lumora-settings.desktop\")
  message(STATUS \"Installing: \${settings}\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/orvex-lumora-settings.desktop.in\" \"\${settings}\" @ONLY)
")
