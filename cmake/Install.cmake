# What `cmake --install` puts where: the two programs, the desktop entry, the icons, the
# AppStream metainfo, the man pages and the licence files. Everything the programs need at run
# time is built into them, so nothing else is installed.
include(GNUInstallDirs)

# Moves with the version in the top-level project() line.
set(TRACKALBUM_RELEASE_DATE 2026-12-07)
set(TRACKALBUM_HOMEPAGE "https://trackalbum.example.org" CACHE STRING "The project's web address, for the metainfo")
set(TRACKALBUM_SCREENSHOT_BASE "${TRACKALBUM_HOMEPAGE}/images" CACHE STRING
  "Where doc/images/*.png are published, for the metainfo's screenshots")

set(TRACKALBUM_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(TRACKALBUM_GENERATED ${CMAKE_BINARY_DIR}/packaging)

# One screenshot per picture in doc/images, in the order and with the captions of
# packaging/screenshot-captions.txt; the first is the default one.
file(GLOB pictures CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/doc/images/*.png)
list(TRANSFORM pictures REPLACE ".*/" "")
list(SORT pictures)
file(STRINGS ${TRACKALBUM_PACKAGING}/screenshot-captions.txt caption_lines REGEX "^[^#].* = ")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TRACKALBUM_PACKAGING}/screenshot-captions.txt)
set(ordered "")
foreach(line ${caption_lines})
  string(REGEX REPLACE " = .*" "" name "${line}")
  string(REGEX REPLACE "^[^=]* = " "" caption "${line}")
  if(name IN_LIST pictures)
    list(APPEND ordered ${name})
    set(caption_${name} "${caption}")
  endif()
endforeach()
foreach(name ${pictures})
  if(NOT name IN_LIST ordered)
    list(APPEND ordered ${name})
    string(REGEX REPLACE "\\.png$" "" caption "${name}")
    string(REGEX REPLACE "[-_]" " " caption "${caption}")
    set(caption_${name} "${caption}")
  endif()
endforeach()
set(TRACKALBUM_SCREENSHOTS "")
set(kind "default")
foreach(name ${ordered})
  string(APPEND TRACKALBUM_SCREENSHOTS "    <screenshot type=\"${kind}\">\n"
    "      <caption>${caption_${name}}</caption>\n"
    "      <image>${TRACKALBUM_SCREENSHOT_BASE}/${name}</image>\n"
    "    </screenshot>\n")
  set(kind "extra")
endforeach()
configure_file(${TRACKALBUM_PACKAGING}/trackalbum.metainfo.xml.in
  ${TRACKALBUM_GENERATED}/org.trackalbum.trackalbum.metainfo.xml @ONLY)
if(NOT TRACKALBUM_SCREENSHOTS)
  # An empty <screenshots/> is invalid; without pictures the element goes.
  file(READ ${TRACKALBUM_GENERATED}/org.trackalbum.trackalbum.metainfo.xml text)
  string(REGEX REPLACE "  <screenshots>\n  </screenshots>\n" "" text "${text}")
  file(WRITE ${TRACKALBUM_GENERATED}/org.trackalbum.trackalbum.metainfo.xml "${text}")
endif()
configure_file(${TRACKALBUM_PACKAGING}/trackalbum.1.in ${TRACKALBUM_GENERATED}/trackalbum.1 @ONLY)
configure_file(${TRACKALBUM_PACKAGING}/trackalbum-cli.1.in ${TRACKALBUM_GENERATED}/trackalbum-cli.1 @ONLY)

# The desktop program's target is made in a folder of its own, maybe after this file is read:
# the programs are installed once the whole project is known.
function(trackalbum_install_programs)
  foreach(program trackalbum-cli trackalbum)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL trackalbum_install_programs)

install(FILES ${TRACKALBUM_PACKAGING}/trackalbum.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TRACKALBUM_GENERATED}/org.trackalbum.trackalbum.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TRACKALBUM_PACKAGING}/icons/trackalbum.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128)
  install(FILES ${TRACKALBUM_PACKAGING}/icons/trackalbum-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME trackalbum.png)
endforeach()
install(FILES ${TRACKALBUM_GENERATED}/trackalbum.1 ${TRACKALBUM_GENERATED}/trackalbum-cli.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/THIRD_PARTY.md
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trackalbum)
