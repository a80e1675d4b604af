# Braille displays: brltty's BrlAPI client library (Debian ships no pkg-config file for it) and
# liblouis for contracted braille.
find_path(BRLAPI_INCLUDE_DIR brlapi.h REQUIRED)
find_library(BRLAPI_LIBRARY brlapi REQUIRED)
pkg_check_modules(LOUIS REQUIRED IMPORTED_TARGET liblouis)

add_library(fortuna_braille STATIC
  braille/rendering.cpp braille/windows.cpp braille/items.cpp braille/braille_view.cpp
  braille/braille_output.cpp braille/contracted.cpp
  braille/wake_pipe.cpp braille/brlapi_keys.cpp braille/brlapi_session.cpp
  braille/brlapi_display.cpp)
target_include_directories(fortuna_braille PRIVATE ${BRLAPI_INCLUDE_DIR})
target_link_libraries(fortuna_braille PUBLIC fortuna_core Threads::Threads
  PRIVATE ${BRLAPI_LIBRARY} PkgConfig::LOUIS)

# The tests (globbed from tests/ already) and the benchmarks are defined further down: linked
# once the whole file is read.
if(FORTUNA_TESTS)
  cmake_language(DEFER CALL target_link_libraries fortuna_tests PRIVATE fortuna_braille)
endif()
if(FORTUNA_BENCH)
  cmake_language(DEFER CALL target_sources fortuna_bench PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/support/virtual_braille.cpp)
  cmake_language(DEFER CALL target_link_libraries fortuna_bench PRIVATE fortuna_braille)
endif()
