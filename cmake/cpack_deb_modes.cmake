# Run by CPack on the packages it has made (CPACK_POST_BUILD_SCRIPTS): the three members of a
# Debian package's ar archive (debian-binary, control.tar.gz, data.tar.gz) are given the mode
# rw-r--r--. CPack copies each member's mode from its temporary file, which the builder's umask
# decides, and the package must not depend on it.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${package}" package_size)
  set(offset 8)  # after the archive's magic "!<arch>\n"
  while(offset LESS package_size)
    # A member's header is 60 characters: name, date, owner, group, mode (8 at 40), size (10 at 48).
    file(READ "${package}" header OFFSET ${offset} LIMIT 60)
    string(SUBSTRING "${header}" 48 10 member_size)
    string(STRIP "${member_size}" member_size)
    if(NOT member_size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${package}: no ar member header at byte ${offset}")
    endif()
    math(EXPR mode_offset "${offset} + 40")
    execute_process(
      COMMAND sh -c "printf '100644  ' | dd of=\"$0\" bs=1 seek=$1 conv=notrunc status=none" "${package}" ${mode_offset}
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${package}: could not set the mode of its member at byte ${offset}")
    endif()
    math(EXPR offset "${offset} + 60 + ${member_size} + ${member_size} % 2")  # members start on even bytes
  endwhile()
endforeach()
