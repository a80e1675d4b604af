# What `cmake --install` places beside the program and its catalogues: the desktop entry, the
# AppStream metainfo, the icon as SVG and as a 256 px PNG, the manual pages in English and
# Spanish, and the documents a Debian package carries. Destinations are relative, so one tree
# serves /usr, /usr/local or a staging folder.
set(FORTUNA_APP_ID "io.github.zivibrunilda.fortuna" CACHE STRING
    "Reverse-DNS id naming the desktop entry, the metainfo and the icon")
set(FORTUNA_LICENSE "GPL-3.0-or-later" CACHE STRING "SPDX expression of the game's licence")
set(FORTUNA_RELEASE_DATE "2026-12-06")
# Debian keeps games in PREFIX/games, on every user's PATH.
set(FORTUNA_INSTALL_BINDIR games CACHE STRING "Where the program goes, under the install prefix")

find_program(RSVG_CONVERT_EXECUTABLE rsvg-convert REQUIRED)
find_program(GZIP_EXECUTABLE gzip REQUIRED)

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(staged ${CMAKE_BINARY_DIR}/packaging)
configure_file(${packaging}/fortuna.desktop.in ${staged}/${FORTUNA_APP_ID}.desktop @ONLY)
configure_file(${packaging}/fortuna.metainfo.xml.in ${staged}/${FORTUNA_APP_ID}.metainfo.xml
               @ONLY)

add_custom_command(OUTPUT ${staged}/fortuna-256.png
  COMMAND ${RSVG_CONVERT_EXECUTABLE} --width=256 --height=256
          --output=${staged}/fortuna-256.png ${packaging}/fortuna.svg
  DEPENDS ${packaging}/fortuna.svg VERBATIM)

# gzip -n leaves out the time and the name: the same sources give the same package.
set(compressed)
function(fortuna_compress source target)
  configure_file(${packaging}/${source} ${staged}/${target}.configured @ONLY)
  add_custom_command(OUTPUT ${staged}/${target}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${staged}/${target}.configured ${staged}/${target}
    COMMAND ${GZIP_EXECUTABLE} -9nf ${staged}/${target}
    DEPENDS ${staged}/${target}.configured VERBATIM)
  set(compressed ${compressed} ${staged}/${target}.gz PARENT_SCOPE)
endfunction()
fortuna_compress(fortuna.6.in man/en/fortuna.6)
fortuna_compress(fortuna.es.6.in man/es/fortuna.6)
fortuna_compress(changelog.in changelog)
add_custom_target(fortuna_desktop_files ALL DEPENDS ${staged}/fortuna-256.png ${compressed})

install(TARGETS fortuna RUNTIME DESTINATION ${FORTUNA_INSTALL_BINDIR})
# As Debian's own packages are stripped: without the compiler's name and version either.
install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
  --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${FORTUNA_INSTALL_BINDIR}/fortuna\")")
install(FILES ${staged}/${FORTUNA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${staged}/${FORTUNA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/fortuna.svg RENAME ${FORTUNA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${staged}/fortuna-256.png RENAME ${FORTUNA_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${staged}/man/en/fortuna.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${staged}/man/es/fortuna.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/es/man6)
# The browser page the server shows: web/ of the sources, linked beside the program in the build
# folder and installed under share/fortuna/web, where the installed program looks for it.
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/web ${CMAKE_BINARY_DIR}/web SYMBOLIC)
if(EXISTS ${CMAKE_SOURCE_DIR}/web)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/web/ DESTINATION ${CMAKE_INSTALL_DATADIR}/fortuna/web)
endif()
file(RELATIVE_PATH FORTUNA_WEB_FROM_BINDIR /prefix/${FORTUNA_INSTALL_BINDIR}
     /prefix/${CMAKE_INSTALL_DATADIR}/fortuna/web)
set_property(SOURCE server/web_files.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             FORTUNA_WEB_FROM_BINDIR="${FORTUNA_WEB_FROM_BINDIR}")
install(FILES ${packaging}/copyright ${staged}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
# lintian takes the page's index.html for a manual.
install(FILES ${packaging}/lintian-overrides RENAME fortuna
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)
