# The Linux build's libraries, from Debian's packages.
find_package(PkgConfig REQUIRED)
pkg_check_modules(UTF8PROC REQUIRED IMPORTED_TARGET libutf8proc)
pkg_check_modules(ESPEAK REQUIRED IMPORTED_TARGET espeak-ng)
pkg_check_modules(SPEECHD REQUIRED IMPORTED_TARGET speech-dispatcher)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(TERMKEY REQUIRED IMPORTED_TARGET termkey)
find_library(READLINE_LIBRARY readline REQUIRED)
find_package(SDL2 REQUIRED)
find_package(SDL2_ttf REQUIRED)
find_package(CLI11 REQUIRED)
find_package(nlohmann_json REQUIRED)
find_package(Threads REQUIRED)
find_package(tomlplusplus REQUIRED)
# Braille displays: brltty's BrlAPI client (Debian ships no pkg-config file for it) and liblouis
# for contracted braille.
find_path(BRLAPI_INCLUDE_DIR brlapi.h REQUIRED)
find_library(BRLAPI_LIBRARY brlapi REQUIRED)
pkg_check_modules(LOUIS REQUIRED IMPORTED_TARGET liblouis)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
# Debian's default Boost is 1.74; Beast's header-only form wants the 1.81 package.
find_package(Boost 1.81 REQUIRED)

set(FORTUNA_CORE_LIBRARIES PkgConfig::UTF8PROC)
# espeak-ng plays through SDL's audio; speech-dispatcher's client runs threads of its own.
set(FORTUNA_ENGINE_LIBRARIES PkgConfig::ESPEAK PkgConfig::SPEECHD SDL2::SDL2 Threads::Threads)
set(FORTUNA_BRAILLE_LIBRARIES Threads::Threads ${BRLAPI_LIBRARY} PkgConfig::LOUIS)
set(FORTUNA_RUN_LIBRARIES nlohmann_json::nlohmann_json tomlplusplus::tomlplusplus Threads::Threads
  fortuna_braille)
# The SDL window, and the terminal: libtermkey reads the keys, GNU readline the rename line.
set(FORTUNA_FRONTEND_LIBRARIES SDL2::SDL2 SDL2_ttf::SDL2_ttf PkgConfig::FONTCONFIG
  PkgConfig::TERMKEY ${READLINE_LIBRARY})
# Boost.Beast and Asio are header-only.
set(FORTUNA_CLIENT_LIBRARIES Threads::Threads)
set(FORTUNA_APP_LIBRARIES CLI11::CLI11)
# The table server: Beast and Asio (headers), its journal in SQLite.
set(FORTUNA_SERVER_LIBRARIES Boost::headers PkgConfig::SQLITE3 CLI11::CLI11 Threads::Threads)
