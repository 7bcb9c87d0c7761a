# Installing and packaging the game.
#
# On Linux the game is laid out as a Debian games package, under /usr or any other prefix: the
# program in games/, its sounds in share/games/zorvane, the gzipped manual page in
# share/man/man6, the copyright file and the gzipped changelog in share/doc/zorvane. The sound
# lookup finds share/games/zorvane from the program's own folder, so an installed game plays its
# sounds whatever the working directory is.
#
# On Windows the game is one folder, zorvane.exe with its data folder beside it, as the player
# unpacks it from the zip.
if(WIN32)
  install(TARGETS zorvane RUNTIME DESTINATION .)
  # The folder is filled at build time by the synthesizer; only its sounds are shipped, not the
  # stamp that tells the build they are made.
  install(DIRECTORY ${sound_dir}/ DESTINATION data FILES_MATCHING PATTERN "*.wav")
else()
  include(GNUInstallDirs)
  install(TARGETS zorvane RUNTIME DESTINATION games)
  install(DIRECTORY ${sound_dir}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/games/zorvane
    FILES_MATCHING PATTERN "*.wav")

  # Debian wants the manual page and the changelog compressed, without a time stamp (-n), so
  # that one source gives one package.
  find_program(GZIP_PROGRAM gzip REQUIRED)
  set(compressed_docs)
  # The manual page names the version project() gives.
  configure_file(${CMAKE_SOURCE_DIR}/doc/zorvane.6 ${CMAKE_BINARY_DIR}/doc-source/zorvane.6 @ONLY)
  set(doc_source_zorvane.6 ${CMAKE_BINARY_DIR}/doc-source/zorvane.6)
  set(doc_source_changelog ${CMAKE_SOURCE_DIR}/doc/changelog)
  foreach(doc zorvane.6 changelog)
    add_custom_command(
      OUTPUT ${CMAKE_BINARY_DIR}/doc/${doc}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${doc_source_${doc}} ${CMAKE_BINARY_DIR}/doc/${doc}
      COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/doc/${doc}
      DEPENDS ${doc_source_${doc}}
      COMMENT "Compressing ${doc}")
    list(APPEND compressed_docs ${CMAKE_BINARY_DIR}/doc/${doc}.gz)
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${compressed_docs})
  install(FILES ${CMAKE_BINARY_DIR}/doc/zorvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz ${CMAKE_SOURCE_DIR}/doc/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
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
