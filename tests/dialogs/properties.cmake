# The properties dialog and its field rules, on Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(properties_dialog_tests
  ${CMAKE_CURRENT_LIST_DIR}/advancedtestmain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fieldrule_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/propertiesdialog_test.cpp
)
target_link_libraries(properties_dialog_tests PRIVATE orvex_dialogs Qt6::Test GTest::gtest)
# The preview and the hue-cone picture run the engine beside the test program.
add_dependencies(properties_dialog_tests OrvexM6)
gtest_discover_tests(properties_dialog_tests DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
