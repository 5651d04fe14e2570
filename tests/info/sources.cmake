find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(info_tests
  aboutbox_test.cpp
  creditswindow_test.cpp
  helpwindow_test.cpp
  qtestmain.cpp
  ${PROJECT_SOURCE_DIR}/tests/settings/tempconfig.cpp
)
target_include_directories(info_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/settings)
target_link_libraries(info_tests PRIVATE orvex_info Qt6::Test GTest::gtest)
add_dependencies(info_tests OrvexM6)
gtest_discover_tests(info_tests DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
