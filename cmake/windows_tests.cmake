# The core's tests as a Windows program, run under wine: GoogleTest from Debian's sources.
if(FORTUNA_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS tests/data/*.cpp tests/rules/*.cpp
    tests/narration/*.cpp tests/screens/*.cpp)
  add_executable(fortuna_tests ${WINDOWS_TEST_SOURCES} tests/speech/channel_test.cpp
    tests/speech/sapi_parts_test.cpp tests/frontends/win32/win32_keys_test.cpp)
  target_include_directories(fortuna_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(fortuna_tests PRIVATE fortuna_app gtest gtest_main)
endif()
