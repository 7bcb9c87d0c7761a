# Flags every build of the game gets beyond its warnings.
#
# Reproducible: the source and build folders are named by fixed relative names in whatever the
# compiler records of them (debug information, file names in messages), so two checkouts in
# different folders build the same bytes.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
  -ffile-prefix-map=${CMAKE_BINARY_DIR}/=build/)

# Hardened as Debian builds its packages (dpkg-buildflags with hardening=+all): buffer checks
# of the C library's functions (level 3, which also checks sizes known only when the program
# runs), a stack protector, format strings checked, relocations made
# read-only and bound at start-up, and a position-independent program (the compiler's default
# here). Native Linux builds only: the sanitizers and the fuzzer bring checks of their own, and
# the fortified functions need an optimised build.
if(NOT WIN32 AND NOT EMSCRIPTEN AND NOT ZORVANE_SANITIZE AND NOT ZORVANE_FUZZ AND NOT ZORVANE_COVERAGE)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security -Wdate-time
    $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=3>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
