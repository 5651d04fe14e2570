# The advanced settings dialog (frmAdvanced), the template file dialog (frmFileIO) and the
# hue-cone picture's pixels, which the properties dialog shows too.
target_sources(orvex_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/advancedcontrols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/advanceddialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/advanceddialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/advancedvalues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileiobrowser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileiodialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileiodialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/fileiolisting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileioplacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hueconepixels.cpp
)
# Their Help buttons open the help window.
target_link_libraries(orvex_dialogs PUBLIC orvex_info)
