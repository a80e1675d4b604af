# The Windows build's libraries: utf8proc built here, Debian's header-only libraries, the
# system's own (SAPI, COM, Win32), and the Spanish catalogue compiled into the exe. The Linux
# engines and front ends, gettext and the Debian package stay out.
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
add_library(fortuna_header_libraries INTERFACE)
target_include_directories(fortuna_header_libraries SYSTEM INTERFACE ${FORTUNA_HEADER_LIBRARIES})
foreach(folder CLI nlohmann toml++ boost)
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

# The Spanish catalogue, compiled by msgfmt on the build machine and carried inside the exe.
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
set(FORTUNA_CATALOGUE_SOURCE ${CMAKE_BINARY_DIR}/spanish_catalogue.cpp)
add_custom_command(OUTPUT ${FORTUNA_CATALOGUE_SOURCE}
  COMMAND ${MSGFMT_EXECUTABLE} --check -o ${CMAKE_BINARY_DIR}/es.mo ${CMAKE_SOURCE_DIR}/po/es.po
  COMMAND ${CMAKE_COMMAND} -DCATALOGUE=${CMAKE_BINARY_DIR}/es.mo
          -DOUTPUT=${FORTUNA_CATALOGUE_SOURCE} -P ${CMAKE_SOURCE_DIR}/cmake/embed_catalogue.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/po/es.po ${CMAKE_SOURCE_DIR}/cmake/embed_catalogue.cmake VERBATIM)
add_library(fortuna_catalogue STATIC ${FORTUNA_CATALOGUE_SOURCE})

find_package(Threads REQUIRED)
set(FORTUNA_CORE_LIBRARIES utf8proc)
set(FORTUNA_ENGINE_LIBRARIES sapi ole32 uuid Threads::Threads)
set(FORTUNA_RUN_LIBRARIES fortuna_header_libraries Threads::Threads)
set(FORTUNA_FRONTEND_LIBRARIES user32 gdi32)
set(FORTUNA_CLIENT_LIBRARIES fortuna_header_libraries ws2_32 mswsock Threads::Threads)
set(FORTUNA_APP_LIBRARIES fortuna_catalogue shell32)
