# The Emscripten toolchain wherever emcc is installed (the Debian package puts it under
# /usr/share/emscripten, an emsdk under its own folder): its CMake platform file sits beside it.
find_program(ZORVANE_EMCC emcc REQUIRED)
get_filename_component(emcc_real "${ZORVANE_EMCC}" REALPATH)
get_filename_component(emscripten_root "${emcc_real}" DIRECTORY)
if(NOT EXISTS "${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
  # The Debian package's emcc is a wrapper script that runs emcc.py in its own folder.
  set(emscripten_root /usr/share/emscripten)
endif()
include("${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
