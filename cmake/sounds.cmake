# The game's sounds come from the synthesizer (src/console/synthesizer.cpp, in the game library),
# which makes a sound's samples from its recipe. The native build runs tools/synth at build time
# to write them all as WAV files into data/ beside the program; a cross build runs a tool
# compiled for the build machine. The browser build makes each sound in the page: it writes no
# sound files.
if(EMSCRIPTEN)
  return()
endif()

set(sound_dir ${CMAKE_BINARY_DIR}/data)
set(sound_stamp ${sound_dir}/.synthesized)

if(CMAKE_CROSSCOMPILING)
  find_program(HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(synth_program ${CMAKE_BINARY_DIR}/host-tools/zorvane_synth)
  set(synth_sources ${CMAKE_SOURCE_DIR}/tools/synth/synth.cpp ${CMAKE_SOURCE_DIR}/src/console/synthesizer.cpp)
  add_custom_command(
    OUTPUT ${synth_program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
    COMMAND ${HOST_CXX} -std=c++17 -O2 -I${CMAKE_SOURCE_DIR}/src -o ${synth_program} ${synth_sources}
    DEPENDS ${synth_sources} ${CMAKE_SOURCE_DIR}/src/console/synthesizer.h
    COMMENT "Building the sound synthesizer for the build machine")
  set(synth_depends ${synth_program})
else()
  add_executable(zorvane_synth tools/synth/synth.cpp)
  target_link_libraries(zorvane_synth PRIVATE zorvane_game)
  set(synth_program $<TARGET_FILE:zorvane_synth>)
  set(synth_depends zorvane_synth)
endif()

add_custom_command(
  OUTPUT ${sound_stamp}
  COMMAND ${synth_program} ${sound_dir}
  COMMAND ${CMAKE_COMMAND} -E touch ${sound_stamp}
  DEPENDS ${synth_depends}
  COMMENT "Synthesizing the sound files")
add_custom_target(sounds ALL DEPENDS ${sound_stamp})
