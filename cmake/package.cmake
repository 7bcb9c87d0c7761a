# Installing and packaging the game.
#
# On Linux the game is laid out as a Debian games package, under /usr or any other prefix: the
# program in games/, its sounds in share/games/zorvane, the gzipped manual page in
# share/man/man6, the copyright file and the gzipped changelog in share/doc/zorvane. The sound
# lookup finds share/games/zorvane from the program's own folder, so an installed game plays its
# sounds whatever the working directory is.
#
# Its menu entry and icons go where desktops look for them, share/applications and the hicolor
# icon theme, and its AppStream metainfo, which software centres list, into share/metainfo.
#
# On Windows the game is one folder, zorvane.exe with its data folder and its licence beside it,
# as the player unpacks it from the zip.
#
# The packages are the same bytes whoever builds them, wherever and whenever (see
# tools/check_reproducible.sh): files and folders dated SOURCE_DATE_EPOCH when it is set (CPack
# reads it), every folder, and every member of the .deb's archive, of the same mode whatever
# the builder's umask, and the zip's files in sorted order.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/cpack_folders.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/cpack_packages.cmake)
set(CPACK_ZORVANE_CMAKE ${CMAKE_COMMAND})
if(WIN32)
  install(TARGETS zorvane RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
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
  foreach(doc zorvane.6 changelog)
    add_custom_command(
      OUTPUT ${CMAKE_BINARY_DIR}/doc/${doc}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/doc/${doc} ${CMAKE_BINARY_DIR}/doc/${doc}
      COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/doc/${doc}
      DEPENDS ${CMAKE_SOURCE_DIR}/doc/${doc}
      COMMENT "Compressing ${doc}")
    list(APPEND compressed_docs ${CMAKE_BINARY_DIR}/doc/${doc}.gz)
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${compressed_docs})
  install(FILES ${CMAKE_BINARY_DIR}/doc/zorvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz ${CMAKE_SOURCE_DIR}/doc/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # "singed" is the word meant, not a misspelt "signed".
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME zorvane)

  # The menu entry starts the game in a terminal, by the installed program's full path: a
  # desktop session's PATH need not hold a games folder. The path is known at install time
  # (cmake --install --prefix, or /usr in the package). The icon is drawn in SVG; its pictures
  # at the usual sizes were made from it once (rsvg-convert -w N -h N desktop/zorvane.svg,
  # Debian's librsvg2-bin) and are kept in the source, so that a build needs no converter.
  install(CODE "
    file(READ \"${CMAKE_SOURCE_DIR}/desktop/zorvane.desktop\" entry)
    string(REPLACE \"\\nExec=zorvane\\n\" \"\\nExec=\\\"\${CMAKE_INSTALL_PREFIX}/games/zorvane\\\"\\n\" entry \"\${entry}\")
    file(WRITE \"${CMAKE_BINARY_DIR}/desktop/zorvane.desktop\" \"\${entry}\")")
  install(FILES ${CMAKE_BINARY_DIR}/desktop/zorvane.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  set(icon_dir ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/zorvane.svg DESTINATION ${icon_dir}/scalable/apps)
  foreach(size 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/desktop/zorvane-${size}.png
      DESTINATION ${icon_dir}/${size}x${size}/apps RENAME zorvane.png)
  endforeach()

  # The metainfo's release is the project's version, dated as the changelog's latest entry.
  # AppStream takes screenshots by web address only: where the title screen's picture
  # (doc/screens/title.png) is published, ZORVANE_SCREENSHOTS_URL names the folder that holds
  # it and the metainfo shows it; the project has no web site, so by default it shows none.
  set(ZORVANE_SCREENSHOTS_URL "" CACHE STRING
    "Web address of a published copy of doc/screens, for the AppStream screenshot")
  file(STRINGS ${CMAKE_SOURCE_DIR}/doc/changelog changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
  if(NOT changelog_trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "doc/changelog: no date in its latest entry's trailer line")
  endif()
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${CMAKE_MATCH_2} month)
  math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
  string(LENGTH "${month}" month_digits)
  if(month_digits EQUAL 1)
    set(month 0${month})
  endif()
  set(release_date ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
  if(ZORVANE_SCREENSHOTS_URL)
    string(CONCAT metainfo_screenshots
      "  <screenshots>\n"
      "    <screenshot type=\"default\">\n"
      "      <caption>The title screen: full game or Zapfest game</caption>\n"
      "      <image type=\"source\" width=\"828\" height=\"603\">${ZORVANE_SCREENSHOTS_URL}/title.png</image>\n"
      "    </screenshot>\n"
      "  </screenshots>")
  else()
    set(metainfo_screenshots "  <!-- The title screen's picture, doc/screens/title.png, is shown once it is published on the web. -->")
  endif()
  set(metainfo ${CMAKE_BINARY_DIR}/desktop/invalid.zorvane.zorvane.metainfo.xml)
  configure_file(${CMAKE_SOURCE_DIR}/desktop/zorvane.metainfo.xml.in ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
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
