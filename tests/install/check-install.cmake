# Installs the build into a fresh staging prefix and checks what a desktop and the game need:
# the programs, the shipped files laid out as in the game folder, icon, menu entry and metadata.
# Nothing else may land in share/lingomat: a player's file or a leftover of the build folder
# would otherwise be shipped to everybody.
# Usage: cmake -DBUILD_DIR=... -DSTAGE=... -DAPPSTREAM_ID=... -P check-install.cmake
foreach(variable IN ITEMS BUILD_DIR STAGE APPSTREAM_ID)
  if(NOT ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}/usr
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(prefix ${STAGE}/usr)
set(shared ${prefix}/share/lingomat)
set(expected
  bin/lingomat
  bin/lingomat-voc
  share/lingomat/lingomat.voc
  share/lingomat/spanbasic.voc
  share/lingomat/spantheme.voc
  share/lingomat/tipps.txt
  share/lingomat/help/index.html
  share/lingomat/help/contents.txt
  share/lingomat/help/hilfe.css
  share/lingomat/images/toolbar.png
  share/lingomat/images/lingomat-32.png
  share/icons/hicolor/48x48/apps/lingomat.png
  share/icons/hicolor/scalable/apps/lingomat.svg
  share/applications/lingomat.desktop
  share/metainfo/${APPSTREAM_ID}.metainfo.xml)

set(problems)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${prefix}/${file})
    list(APPEND problems "missing: ${file}")
  else()
    file(SIZE ${prefix}/${file} size)
    if(size EQUAL 0)
      list(APPEND problems "empty: ${file}")
    endif()
  endif()
endforeach()

foreach(program IN ITEMS lingomat lingomat-voc)
  if(EXISTS ${prefix}/bin/${program} AND NOT IS_DIRECTORY ${prefix}/bin/${program})
    file(READ ${prefix}/bin/${program} magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
      list(APPEND problems "not a program: bin/${program}")
    endif()
  endif()
endforeach()

# The installed game folder must be the build's game folder, file for file, minus what a run
# of the game leaves there.
file(GLOB_RECURSE installed RELATIVE ${shared} ${shared}/*)
foreach(file IN LISTS installed)
  if(NOT file MATCHES "^([^/]+\\.voc|tipps\\.txt|help/[^/]+\\.(html|txt|css)|images/[^/]+\\.png)$")
    list(APPEND problems "unexpected in share/lingomat: ${file}")
  elseif(NOT EXISTS ${BUILD_DIR}/game/${file})
    list(APPEND problems "not in the build's game folder: ${file}")
  else()
    file(SHA256 ${shared}/${file} installed_hash)
    file(SHA256 ${BUILD_DIR}/game/${file} built_hash)
    if(NOT installed_hash STREQUAL built_hash)
      list(APPEND problems "differs from the build's game folder: ${file}")
    endif()
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The installation is incomplete or wrong:\n  ${text}")
endif()
list(LENGTH installed count)
message(STATUS "Installed ${count} shipped files into ${shared}")
