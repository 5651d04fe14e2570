# The advanced settings dialog and the template file dialog, on Qt's offscreen platform.
add_executable(advanced_dialog_tests
  ${CMAKE_CURRENT_LIST_DIR}/advancedtestmain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/advanceddialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileiodialog_test.cpp
)
target_link_libraries(advanced_dialog_tests PRIVATE orvex_dialogs GTest::gtest)
# The hue-cone picture is coloured by the engine beside the test program.
add_dependencies(advanced_dialog_tests OrvexM6)
gtest_discover_tests(advanced_dialog_tests DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
