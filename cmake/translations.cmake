# The program's own messages: po/LANGUAGE.po compiled and checked into
# LANGUAGE/LC_MESSAGES/fortuna.mo, under locale/ beside the program in the build folder and under
# share/locale once installed. The program looks for them relative to its own executable.
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
file(STRINGS ${CMAKE_SOURCE_DIR}/po/LINGUAS FORTUNA_LANGUAGES REGEX "^[a-z]")

set(FORTUNA_CATALOGUES)
foreach(language IN LISTS FORTUNA_LANGUAGES)
  set(po ${CMAKE_SOURCE_DIR}/po/${language}.po)
  set(folder ${CMAKE_BINARY_DIR}/locale/${language}/LC_MESSAGES)
  add_custom_command(OUTPUT ${folder}/fortuna.mo
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${MSGFMT_EXECUTABLE} --check -o ${folder}/fortuna.mo ${po}
    DEPENDS ${po} VERBATIM)
  list(APPEND FORTUNA_CATALOGUES ${folder}/fortuna.mo)
  install(FILES ${folder}/fortuna.mo DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
endforeach()
add_custom_target(fortuna_translations ALL DEPENDS ${FORTUNA_CATALOGUES})
add_dependencies(fortuna fortuna_translations)

# Where the catalogues lie seen from the installed program, whatever the prefix.
file(RELATIVE_PATH FORTUNA_LOCALE_FROM_BINDIR /prefix/${FORTUNA_INSTALL_BINDIR}
     /prefix/${CMAKE_INSTALL_LOCALEDIR})
set_property(SOURCE app/message_language.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             FORTUNA_LOCALE_FROM_BINDIR="${FORTUNA_LOCALE_FROM_BINDIR}")
