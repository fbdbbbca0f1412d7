# The .deb: `cpack -G DEB` in the build folder, or scripts/package.sh. The libraries it needs
# are found by dpkg-shlibdeps in the installed programs; what they load without linking is
# named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trackalbum)
set(CPACK_PACKAGE_VENDOR "the Trackalbum project")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "map pages of an outing from its GPS log and photos")
set(CPACK_PACKAGE_DESCRIPTION
  "Trackalbum turns one outing, a GPX log and the photos taken on the way, into\n\
self-contained web pages: the route on a map, coloured by grade on the profile\n\
pages, photo markers placed by each photo's EXIF time, an animated player, a\n\
statistics panel and charts of the elevation profile and the speeds. The\n\
desktop program is trackalbum; trackalbum-cli does the same for scripts.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "the Trackalbum project <maintainers@trackalbum.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRACKALBUM_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The chart labels ask fontconfig for "arial", which Liberation Sans stands in for; the
# windows' Japanese text wants a CJK font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")
include(CPack)
