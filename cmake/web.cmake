# The browser build: the game as zorvane.js and zorvane.wasm, and around it the static site,
# gathered in one folder to publish, site/ in the build folder: the page's own files (every file
# of web/ but npm's and the service worker's template), the terminal emulator from
# web/node_modules (npm ci in web/ first), the icon, and sw.js, the service worker that keeps them
# all for playing offline (cmake/web_site.cmake). No sound files: the game makes its sounds in the
# page.
set(web_modules ${CMAKE_SOURCE_DIR}/web/node_modules/@xterm/xterm)
if(NOT EXISTS ${web_modules}/lib/xterm.js)
  message(FATAL_ERROR "The terminal emulator is missing: run `npm ci` in web/ first.")
endif()

# Asyncify lets the game's blocking calls wait on the page's promises. The module is a factory
# (createZorvane), so that each new game runs in a fresh instance with fresh state.
target_link_options(zorvane PRIVATE
  -Os -sASYNCIFY -sASYNCIFY_STACK_SIZE=16384 -sMODULARIZE=1 -sEXPORT_NAME=createZorvane
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js -sALLOW_MEMORY_GROWTH=1)

# The site's files, one "SOURCE|NAME" a line (a folder gives each of its files). The page's
# own scripts are served as one page.js, and the terminal's styles with the page's as one
# page.css: a first visit asks the server for five files before the title screen, which a
# browser fetches side by side (it opens six connections to a server).
file(GLOB_RECURSE page_files CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/web ${CMAKE_SOURCE_DIR}/web/*)
list(FILTER page_files EXCLUDE REGEX "^node_modules/|(^|/)\\.|^package(-lock)?\\.json$|\\.in$")
set(page_scripts offline.js keybar.js transcript.js saves.js page.js)  # in this order
list(REMOVE_ITEM page_files ${page_scripts} page.css)
list(TRANSFORM page_scripts PREPEND ${CMAKE_SOURCE_DIR}/web/)
list(JOIN page_scripts "|" page_scripts)
set(site_files
  "${CMAKE_BINARY_DIR}/zorvane.js|zorvane.js"
  "${CMAKE_BINARY_DIR}/zorvane.wasm|zorvane.wasm"
  "${web_modules}/lib/xterm.js|xterm.js"
  "${web_modules}/css/xterm.css|${CMAKE_SOURCE_DIR}/web/page.css|page.css"
  "${page_scripts}|page.js"
  "${CMAKE_SOURCE_DIR}/desktop/zorvane.svg|icons/zorvane.svg")
foreach(file IN LISTS page_files)
  list(APPEND site_files "${CMAKE_SOURCE_DIR}/web/${file}|${file}")
endforeach()
list(JOIN site_files "\n" site_list)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/site-files.txt CONTENT "${site_list}\n" @ONLY)

# Run on every build: it copies only what changed and rewrites sw.js only when a file did.
add_custom_target(site ALL
  COMMAND ${CMAKE_COMMAND} -D SITE=${CMAKE_BINARY_DIR}/site -D LIST=${CMAKE_BINARY_DIR}/site-files.txt
          -D WORKER=${CMAKE_SOURCE_DIR}/web/sw.js.in -P ${CMAKE_SOURCE_DIR}/cmake/web_site.cmake
  COMMENT "Gathering the site to publish in site/")
add_dependencies(site zorvane)
