# `cpack -G DEB` in a release tree builds the Debian package of what `cmake --install` puts in
# place; its library dependencies are read from the binaries by dpkg-shlibdeps.
include(GNUInstallDirs)

# Debian's place for a package's licence.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvane
        RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${ORVANE_FULL_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvane developers")
set(CPACK_PACKAGE_CONTACT "Orvane developers <orvane@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the character tables of game text")
# Debian shows the lines as they stand, so they are kept short here.
set(CPACK_PACKAGE_DESCRIPTION [[
Orvane edits character tables (.tbl files), the text files in which
translators of game data map each byte code of a game's text encoding to
the character it stands for. It shows the 256 codes as a grid, types kana
from romaji, and writes the file back byte for byte.

The orvane-tbl command checks, normalizes, converts and shows tables in a
terminal.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a CJK font the grid shows kana as empty boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
