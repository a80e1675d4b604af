# The Debian package, built by `cpack` in the build folder: fortuna_VERSION_ARCH.deb. Its
# dependencies are the shared libraries the program links, as dpkg-shlibdeps finds them, and the
# font the window asks fontconfig for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fortuna)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "fortuna maintainers <maintainers@users.noreply.c-seed-f16196bf.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "card game in Spanish for blind players, played by ear")
set(CPACK_PACKAGE_DESCRIPTION "La fortuna de Zivi Brunilda: ten heirs are shut in a mansion;
every day each living character gets a card, goes to a room and plays or
throws away a card, until the heir leaves the house with the keys.

Every text is spoken in Spanish through espeak-ng and players answer with
single keys, so nothing on screen needs to be read. Several people share one
keyboard; the computer plays the rest. The program's own messages are in
Spanish, or in English when the locale asks for it.")
include(CPack)
