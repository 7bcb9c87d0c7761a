# The game's sound files are synthesized at build time by tools/synth and land in data/ beside
# the program. A cross build runs a synthesizer compiled for the build machine.
set(sound_dir ${CMAKE_BINARY_DIR}/data)
set(sound_stamp ${sound_dir}/.synthesized)

if(CMAKE_CROSSCOMPILING)
  find_program(HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(synth_program ${CMAKE_BINARY_DIR}/host-tools/zorvane_synth)
  add_custom_command(
    OUTPUT ${synth_program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
    COMMAND ${HOST_CXX} -std=c++17 -O2 -o ${synth_program} ${CMAKE_SOURCE_DIR}/tools/synth/synth.cpp
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/synth/synth.cpp
    COMMENT "Building the sound synthesizer for the build machine")
  set(synth_depends ${synth_program})
else()
  add_executable(zorvane_synth tools/synth/synth.cpp)
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
