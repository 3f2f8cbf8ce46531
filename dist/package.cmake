# The Debian package, built by CPack: `make package` in the build folder.

# Debian wants the copyright and a compressed change log in the package's
# documentation folder.
# The maintainer is whoever builds the package: Debian's DEBFULLNAME and
# DEBEMAIL when set, else the author of the newest commit of this tree. The
# project has no address of its own to put there.
set(LORVANE_MAINTAINER "" CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")
if(NOT LORVANE_MAINTAINER AND DEFINED ENV{DEBEMAIL})
  set(name "$ENV{DEBFULLNAME}")
  if(NOT name)
    set(name "Lorvane packager")
  endif()
  set(LORVANE_MAINTAINER "${name} <$ENV{DEBEMAIL}>")
endif()
if(NOT LORVANE_MAINTAINER)
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 "--format=%an <%ae>"
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE LORVANE_MAINTAINER OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_status ERROR_QUIET)
    if(NOT git_status EQUAL 0)
      set(LORVANE_MAINTAINER "")
    endif()
  endif()
endif()
if(NOT LORVANE_MAINTAINER)
  message(WARNING "No maintainer for the Debian package: set DEBFULLNAME and DEBEMAIL, or LORVANE_MAINTAINER")
  set(LORVANE_MAINTAINER "Lorvane packager <root@localhost>")
endif()
set(CPACK_PACKAGE_CONTACT "${LORVANE_MAINTAINER}")
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${LORVANE_PACKAGE})
configure_file(changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND ${GZIP} -9nf -k ${CMAKE_CURRENT_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_dependencies(installable package_changelog)
install(FILES copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${LORVANE_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "start menu for a packaged game, and its editor")
set(CPACK_PACKAGE_DESCRIPTION
"Lorvane is the start screen of a game: run in the game's folder, it reads
the menu script Data/kelo.pod and shows the titles, colours and buttons it
describes. Play shows a logo and an intro clip, starts the game and drives
it into play with keystrokes while the player's input is blocked.
.
Varno is the packager's editor of that script: every setting is a field,
and Compile/Save writes the script for the game's Data folder.
.
An example game folder with a stand-in game is included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; the ones they
# load at run time are named here: the GStreamer elements of the clip, the
# sounds and the music, a General MIDI sound font, the fonts the windows
# name, and the opener of the editor's File menu.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, gstreamer1.0-x, fonts-liberation2, fonts-comic-neue, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | sf2-soundfont-gm, gstreamer1.0-libav")
# Games made for Windows start through Wine.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
