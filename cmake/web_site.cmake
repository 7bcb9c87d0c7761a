# Script mode (cmake -P): puts the files to serve into the site folder, exactly those, and then
# writes the service worker (sw.js) that keeps them for playing offline.
#
#   cmake -D SITE=DIR -D LIST=FILE -D WORKER=TEMPLATE -P web_site.cmake
#       LIST holds one "SOURCE|NAME" a line: the file SOURCE is served as NAME (a folder SOURCE
#       gives each of its files under NAME/); "SOURCE|SOURCE...|NAME" serves the text files
#       SOURCE one after the other as the one file NAME (fewer files for a browser to ask for).
#       Files in DIR that are on no line are removed.
#   cmake -D SITE=DIR -D WORKER=TEMPLATE -P web_site.cmake
#       only writes DIR/sw.js anew from what DIR holds (a site changed by hand, as a test does).
#
# The worker's list of files and the build's identity come from the folder itself: every file
# in it but sw.js, each with the SHA-256 of its content; the identity is a hash of that list and
# of the worker's template, so any change of any file makes a new build.
cmake_minimum_required(VERSION 3.21)
# Writes `text` to `path` only when it differs, so a file that has not changed keeps its date.
function(write_if_changed path text)
  set(old "")
  if(EXISTS "${path}")
    file(READ "${path}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${path}" "${text}")
  endif()
endfunction()

if(NOT SITE OR NOT WORKER)
  message(FATAL_ERROR "usage: cmake -D SITE=DIR [-D LIST=FILE] -D WORKER=TEMPLATE -P web_site.cmake")
endif()

if(LIST)
  file(STRINGS "${LIST}" lines)
  set(wanted "")
  foreach(line IN LISTS lines)
    string(REPLACE "|" ";" pair "${line}")
    list(POP_BACK pair name)
    list(LENGTH pair sources)
    list(GET pair 0 source)
    if(sources GREATER 1)
      foreach(part IN LISTS pair)
        if(NOT EXISTS "${part}")
          message(FATAL_ERROR "A file of the site is missing: ${part}")
        endif()
      endforeach()
      list(APPEND wanted "${name}")
      set(parts_of_${name} "${pair}")
    elseif(IS_DIRECTORY "${source}")
      file(GLOB inside RELATIVE "${source}" "${source}/*")
      foreach(file IN LISTS inside)
        if(NOT IS_DIRECTORY "${source}/${file}" AND NOT file MATCHES "^\\.")  # no stamps
          list(APPEND wanted "${name}/${file}")
          set(source_of_${name}/${file} "${source}/${file}")
        endif()
      endforeach()
    else()
      if(NOT EXISTS "${source}")
        message(FATAL_ERROR "A file of the site is missing: ${source}")
      endif()
      list(APPEND wanted "${name}")
      set(source_of_${name} "${source}")
    endif()
  endforeach()

  # Whatever an earlier build left that is no longer part of the site goes.
  file(GLOB_RECURSE present RELATIVE "${SITE}" "${SITE}/*")
  foreach(file IN LISTS present)
    if(NOT file IN_LIST wanted AND NOT file STREQUAL "sw.js")
      file(REMOVE "${SITE}/${file}")
    endif()
  endforeach()
  file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE "${SITE}" "${SITE}/*")
  list(SORT folders ORDER DESCENDING)  # the deepest first
  foreach(folder IN LISTS folders)
    file(GLOB inside "${SITE}/${folder}/*")
    if(IS_DIRECTORY "${SITE}/${folder}" AND NOT inside)
      file(REMOVE_RECURSE "${SITE}/${folder}")
    endif()
  endforeach()
  foreach(file IN LISTS wanted)
    get_filename_component(folder "${SITE}/${file}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    if(DEFINED parts_of_${file})
      set(joined "")
      foreach(part IN LISTS parts_of_${file})
        file(READ "${part}" text)
        string(APPEND joined "${text}\n")
      endforeach()
      write_if_changed("${SITE}/${file}" "${joined}")
    else()
      file(COPY_FILE "${source_of_${file}}" "${SITE}/${file}" ONLY_IF_DIFFERENT)
    endif()
  endforeach()
endif()

# The worker's list: every file of the folder, sorted, with its hash.
file(GLOB_RECURSE served RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM served "sw.js")
list(SORT served)
file(SHA256 "${WORKER}" identity_source)
set(entries "")
foreach(file IN LISTS served)
  file(SHA256 "${SITE}/${file}" hash)
  string(APPEND identity_source "\n${file} ${hash}")
  string(APPEND entries "\n  ['${file}', '${hash}'],")
endforeach()
string(SHA256 identity "${identity_source}")
string(SUBSTRING "${identity}" 0 16 BUILD)
set(FILES "[${entries}\n]")
file(READ "${WORKER}" template)
string(CONFIGURE "${template}" worker @ONLY)
write_if_changed("${SITE}/sw.js" "${worker}")
