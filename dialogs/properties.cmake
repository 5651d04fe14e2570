# The properties dialog (frmProps), its frames, and the field and picture widgets the
# other dialogs share.
target_sources(orvex_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/colourframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colourframe.ui
  ${CMAKE_CURRENT_LIST_DIR}/displayframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/displayframe.ui
  ${CMAKE_CURRENT_LIST_DIR}/extrasframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extrasframe.ui
  ${CMAKE_CURRENT_LIST_DIR}/fieldrule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hueconepicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numberfield.cpp
  ${CMAKE_CURRENT_LIST_DIR}/previewframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/previewframe.ui
  ${CMAKE_CURRENT_LIST_DIR}/propertiesdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/propertiesdialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/spinbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/starfieldsframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/starfieldsframe.ui
  ${CMAKE_CURRENT_LIST_DIR}/themerow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/themerow.ui
  ${CMAKE_CURRENT_LIST_DIR}/widgettarget.cpp
)
# The preview yields to Qt's event loop once a frame; the Help menu and the welcome open
# the information windows.
target_link_libraries(orvex_dialogs PUBLIC orvex_platform_qt orvex_info)
