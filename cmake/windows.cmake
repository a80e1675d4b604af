# The Windows build: the core, the command line, the headless front end, the bench and the
# simulation, the SAPI engine and the Win32 window. The Linux engines and front ends, gettext
# and the Debian package stay out.
enable_language(C RC)

# utf8proc has no mingw package: its one C file from Debian's pinned copy of the release.
include(FetchContent)
FetchContent_Declare(utf8proc
  URL http://deb.debian.org/debian/pool/main/u/utf8proc/utf8proc_2.8.0.orig.tar.gz
  URL_HASH SHA256=a0a60a79fe6f6d54e7d411facbfcc867a6e198608f2cd992490e46f04b1bcecc
  DOWNLOAD_EXTRACT_TIMESTAMP TRUE)
FetchContent_GetProperties(utf8proc)
if(NOT utf8proc_POPULATED)
  FetchContent_Populate(utf8proc)
endif()
add_library(utf8proc STATIC ${utf8proc_SOURCE_DIR}/utf8proc.c)
target_compile_definitions(utf8proc PUBLIC UTF8PROC_STATIC)
target_include_directories(utf8proc SYSTEM PUBLIC ${utf8proc_SOURCE_DIR})

# CLI11, nlohmann-json and toml++ are header-only: Debian's headers, and nothing else of
# /usr/include, whose C library headers are Linux's.
set(FORTUNA_HEADER_LIBRARIES ${CMAKE_BINARY_DIR}/header-libraries)
foreach(folder CLI nlohmann toml++)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: bash scripts/install-deps.sh")
  endif()
  file(MAKE_DIRECTORY ${FORTUNA_HEADER_LIBRARIES})
  file(CREATE_LINK /usr/include/${folder} ${FORTUNA_HEADER_LIBRARIES}/${folder} SYMBOLIC)
endforeach()

# GCC 12 at -O3 warns of overlapping copies inside std::string's operator+ where there are
# none (its bug 105329).
add_compile_options(-Wno-restrict)
# Players get no symbols: a smaller download.
add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
  TOML_HEADER_ONLY=1)

file(GLOB CORE_SOURCES CONFIGURE_DEPENDS
  data/*.cpp rules/*.cpp narration/*.cpp speech/channel.cpp speech/text_engine.cpp
  screens/*.cpp program/program.cpp program/key_timing.cpp)
add_library(fortuna_core STATIC ${CORE_SOURCES})
target_include_directories(fortuna_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(fortuna_core PUBLIC utf8proc)

# The Spanish catalogue, compiled by msgfmt on the build machine and carried inside the exe.
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
set(FORTUNA_CATALOGUE_SOURCE ${CMAKE_BINARY_DIR}/spanish_catalogue.cpp)
add_custom_command(OUTPUT ${FORTUNA_CATALOGUE_SOURCE}
  COMMAND ${MSGFMT_EXECUTABLE} --check -o ${CMAKE_BINARY_DIR}/es.mo ${CMAKE_SOURCE_DIR}/po/es.po
  COMMAND ${CMAKE_COMMAND} -DCATALOGUE=${CMAKE_BINARY_DIR}/es.mo
          -DOUTPUT=${FORTUNA_CATALOGUE_SOURCE} -P ${CMAKE_SOURCE_DIR}/cmake/embed_catalogue.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/po/es.po ${CMAKE_SOURCE_DIR}/cmake/embed_catalogue.cmake VERBATIM)

find_package(Threads REQUIRED)
add_library(fortuna_app STATIC
  program/cli.cpp program/key_names.cpp program/key_script.cpp program/transcript.cpp
  program/headless.cpp program/engines.cpp program/engine_choice.cpp program/bench.cpp
  program/settings_file.cpp program/messages.cpp program/cli_messages.cpp
  program/checked_file.cpp speech/failover_engine.cpp
  program/simulate_command.cpp program/simulate_figures.cpp program/simulate_json.cpp
  program/simulate_report.cpp program/simulate_run.cpp program/simulate_tally.cpp
  program/progress_bar.cpp
  speech/sapi_parts.cpp speech/sapi_engine.cpp program/win32/system_engines.cpp
  program/win32/console_interrupts.cpp program/win32/windows_messages.cpp
  ${FORTUNA_CATALOGUE_SOURCE})
target_include_directories(fortuna_app SYSTEM PUBLIC ${FORTUNA_HEADER_LIBRARIES})
target_link_libraries(fortuna_app PUBLIC fortuna_core Threads::Threads sapi ole32 uuid)
target_compile_definitions(fortuna_app PRIVATE FORTUNA_VERSION="${PROJECT_VERSION}")

# The window: the command line learns that there is one.
target_sources(fortuna_app PRIVATE program/win32/win32_frontend.cpp program/win32/win32_keys.cpp)
set_source_files_properties(program/cli.cpp PROPERTIES COMPILE_DEFINITIONS FORTUNA_HAS_WINDOW=1)
target_link_libraries(fortuna_app PUBLIC user32 gdi32)

# The dialog template goes in the exe itself: a static library would drop it.
add_executable(fortuna program/win32/main.cpp program/win32/rename_box.rc)
target_link_libraries(fortuna PRIVATE fortuna_app shell32)

# The core's tests as a Windows program, run under wine: GoogleTest from Debian's sources.
option(FORTUNA_TESTS "Build the Windows test program" ON)
if(FORTUNA_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS tests/data/*.cpp tests/rules/*.cpp
    tests/narration/*.cpp tests/screens/*.cpp)
  add_executable(fortuna_tests ${WINDOWS_TEST_SOURCES} tests/speech/channel_test.cpp
    tests/speech/sapi_parts_test.cpp tests/program/win32_keys_test.cpp)
  target_include_directories(fortuna_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(fortuna_tests PRIVATE fortuna_app gtest gtest_main)
endif()
