# Installing and packaging the game.
#
# On Linux the program goes to bin/, its sounds to share/zorvane/data and its manual page to
# share/man/man6: the sound lookup finds share/zorvane/data from the program's own folder, so an
# installed game plays its sounds whatever the working directory is. The Debian package is the
# same tree under /usr.
#
# On Windows the game is one folder, zorvane.exe with its data folder beside it, as the player
# unpacks it from the zip.
if(WIN32)
  set(game_bin_dir .)
  set(game_data_dir data)
else()
  include(GNUInstallDirs)
  set(game_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(game_data_dir ${CMAKE_INSTALL_DATAROOTDIR}/zorvane/data)
endif()

install(TARGETS zorvane RUNTIME DESTINATION ${game_bin_dir})
# The folder is filled at build time by the synthesizer; only its sounds are shipped, not the
# stamp that tells the build they are made.
install(DIRECTORY ${sound_dir}/ DESTINATION ${game_data_dir} FILES_MATCHING PATTERN "*.wav")
if(NOT WIN32)
  install(FILES ${CMAKE_SOURCE_DIR}/doc/zorvane.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "The Zorvane developers")
set(CPACK_PACKAGE_CONTACT "The Zorvane developers <noreply@zorvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text-mode space adventure: fly from the Earth to Mars")
# The long description, one line of the package's control file to each line here.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Zorvane is a single-player space adventure for an 80x25 terminal. Fly the\n"
  "35 million miles from the Earth to Mars one spin of the cosmic wheel at a\n"
  "time, meet meteors, aliens, malfunctions, an asteroid and a space station,\n"
  "land, and live to tell it; or play the Zapfest game of alien battles.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zorvane-${PROJECT_VERSION}-windows)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Zorvane developers <noreply@zorvane.invalid>")
  # The C and C++ libraries, as the program links them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The sound library is opened only when it is there: without it the game is silent.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libasound2 | libasound2t64")
endif()

include(CPack)
