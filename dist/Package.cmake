# The Debian package: `cpack -G DEB` in the build folder (tools/package.sh) writes
# brenvik_<version>_<arch>.deb from the install rules of the whole project.
set(BRENVIK_MAINTAINER "Brenvik developers <brenvik@brenvik.invalid>" CACHE STRING
  "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME brenvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Brenvik developers")
set(CPACK_PACKAGE_CONTACT ${BRENVIK_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package's binaries carry no debug information and so no path of the build machine.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BRENVIK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRENVIK_HOMEPAGE})
# Libraries found by dpkg-shlibdeps; the font is the editor's default, which no
# library link shows, and Qt's dialogs speak Japanese with its translations. The
# regular-expression library is named as well, so that the dependency stays when the
# package is built without shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, libonig5")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The first line is the synopsis; CPack indents the rest and marks empty lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "editor for Perl CGI scripts written in Japanese
Brenvik edits Perl CGI scripts that keep their Japanese text in Shift_JIS,
EUC-JP or JIS, and saves them in the code and line ends the web server
expects. It highlights Perl and HTML as you type, lists the variables,
arrays, hashes and subroutines of a script in a variable explorer, inserts
fixed phrases and turns HTML into Perl print statements.

Perl/CGI スクリプトエディタ

The package also holds brenvik-jconv, which tells or converts the Japanese
code of script files exactly as the editor reads and writes them, and
brenvik-grep, which searches folders of scripts in mixed codes as the editor's
find searches one script.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
