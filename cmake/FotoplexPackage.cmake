# The Debian package: `cpack -G DEB` in a Release build folder (scripts/check-package does it)
# makes fotoplex_<version>_<arch>.deb from the install rules.
# Installing builds nothing: cpack and `cmake --install` take the programs as built, so the
# package check needs only the two programs of a Release build, not its tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_NAME "fotoplex")
set(CPACK_PACKAGE_VENDOR "The Fotoplex developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo gallery builder for static HTML galleries")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quorvane.com/fotoplex/")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "fotoplex")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Fotoplex developers <fotoplex@quorvane.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening the finished gallery goes through the desktop's default browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# CPack puts the summary first and indents the rest itself; an empty line separates
# paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Fotoplex turns an ordered list of photographs into a static HTML gallery on
disk: resized images, JPEG thumbnails, a stylesheet, index pages with a table
of thumbnails and navigation between them, and one page per picture with
links to the previous and next one. The gallery needs nothing but a plain web
server.

Everything that shapes a gallery (pictures, folders, sizes, JPEG options,
table layout, colours, titles, navigation words) is kept in a project file
(.hgp). The package holds the desktop program fotoplex and its command-line
twin fotoplex-cli, which builds the same galleries without a window.")

include(CPack)
