# The video window (frmVideo), its codec chooser and its file dialog, over the recording
# core of output/ (orvex_video).
target_sources(orvex_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/codecchooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/codecchooser.ui
  ${CMAKE_CURRENT_LIST_DIR}/videofiledialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/videowindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/videowindow.ui
)
# The recording yields to Qt's event loop once a frame.
target_link_libraries(orvex_dialogs PUBLIC orvex_video orvex_platform_qt)
