# The browser build: the game as zorvane.js and zorvane.wasm, and around it the static site in
# the build folder: index.html, the page's script and style, the terminal emulator from
# web/node_modules (npm ci in web/ first). No sound files: the game makes its sounds in the page.
set(web_modules ${CMAKE_SOURCE_DIR}/web/node_modules/@xterm/xterm)
if(NOT EXISTS ${web_modules}/lib/xterm.js)
  message(FATAL_ERROR "The terminal emulator is missing: run `npm ci` in web/ first.")
endif()

# Asyncify lets the game's blocking calls wait on the page's promises. The module is a factory
# (createZorvane), so that each new game runs in a fresh instance with fresh state.
target_link_options(zorvane PRIVATE
  -Os -sASYNCIFY -sASYNCIFY_STACK_SIZE=16384 -sMODULARIZE=1 -sEXPORT_NAME=createZorvane
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js -sALLOW_MEMORY_GROWTH=1)

set(web_files
  ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_SOURCE_DIR}/web/page.js ${CMAKE_SOURCE_DIR}/web/page.css
  ${CMAKE_SOURCE_DIR}/web/keybar.js ${CMAKE_SOURCE_DIR}/web/transcript.js ${CMAKE_SOURCE_DIR}/web/saves.js
  ${web_modules}/lib/xterm.js ${web_modules}/css/xterm.css)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/index.html
  COMMAND ${CMAKE_COMMAND} -E copy ${web_files} ${CMAKE_BINARY_DIR}
  DEPENDS ${web_files}
  COMMENT "Copying the page and the terminal emulator")
add_custom_target(web_page ALL DEPENDS ${CMAKE_BINARY_DIR}/index.html)
