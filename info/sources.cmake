# The information windows and their help document.
target_sources(orvex_info PRIVATE
  aboutbox.cpp
  creditlines.cpp
  creditsrun.cpp
  creditswindow.cpp
  diagnostics.cpp
  diagnosticswindow.cpp
  helptopics.cpp
  helpwindow.cpp
  picturebox.cpp
  productinfo.cpp
  welcomewindow.cpp
)
target_compile_definitions(orvex_info PRIVATE ORVEX_VERSION="${PROJECT_VERSION}")

# Help is found beside the program, so the build tree's programs and tests have it too;
# the install rule is in packaging/install.cmake.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/help/Orvex_Gen.html ${CMAKE_BINARY_DIR}/bin/Orvex_Gen.html COPYONLY)
