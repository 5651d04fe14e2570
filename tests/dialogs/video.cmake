# The video window and its codec chooser, on Qt's offscreen platform; recordings are read
# back with FFmpeg's tools.
add_executable(video_dialog_tests
  ${CMAKE_CURRENT_LIST_DIR}/advancedtestmain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/videowindow_test.cpp
)
target_link_libraries(video_dialog_tests PRIVATE orvex_dialogs orvex_videoprobe GTest::gtest)
add_dependencies(video_dialog_tests OrvexM6)
gtest_discover_tests(video_dialog_tests DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
