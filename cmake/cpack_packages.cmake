# Run by CPack on the packages it has made (CPACK_POST_BUILD_SCRIPTS), so that they depend on
# nothing but the source and SOURCE_DATE_EPOCH.
#
# The three members of a Debian package's ar archive (debian-binary, control.tar.gz,
# data.tar.gz) are given the mode rw-r--r--: CPack copies each member's mode from its temporary
# file, which the builder's umask decides.
#
# A zip is made again with its files in sorted order: CPack adds them in the order the file
# system lists them in.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    get_filename_component(staging "${package}" DIRECTORY)
    get_filename_component(top "${package}" NAME_WLE)
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${staging}" "${staging}/${top}/*")
    list(SORT files)
    list(JOIN files "\n" file_list)
    file(WRITE "${staging}/${top}.files" "${file_list}\n")
    file(REMOVE "${package}")
    execute_process(
      COMMAND ${CPACK_ZORVANE_CMAKE} -E tar cf "${package}" --format=zip "--files-from=${top}.files"
      WORKING_DIRECTORY "${staging}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${package}: could not be made again in sorted order")
    endif()
    continue()
  elseif(NOT package MATCHES "\\.deb$")
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
