# Checks the converted tips file (Windows-1252, so one byte is one character).
# Every line is one tip: an empty line would be skipped by the game but is a slip in the source,
# a carriage return would show up at the end of the tip, and a tip longer than MAX_CHARS does not
# fit into the tips dialog.
cmake_minimum_required(VERSION 3.25)
set(MAX_CHARS 180)
set(MIN_TIPS 40)

file(READ "${TIPS}" hex HEX)
if(NOT hex MATCHES "0a$")
  message(FATAL_ERROR "${TIPS}: the last tip must end with a line feed")
endif()
# Each match is one line: bytes other than 0x0a, then the line feed. Matching whole byte pairs from
# the start keeps every match aligned to byte boundaries.
string(REGEX MATCHALL "([1-9a-f][0-9a-f]|0[0-9b-f])*0a" lines "${hex}")

set(number 0)
foreach(line IN LISTS lines)
  math(EXPR number "${number} + 1")
  string(LENGTH "${line}" digits)
  math(EXPR chars "(${digits} - 2) / 2")
  if(chars EQUAL 0)
    message(FATAL_ERROR "tipps.txt.in:${number}: empty line")
  endif()
  if(line MATCHES "^([0-9a-f][0-9a-f])*0d")
    message(FATAL_ERROR "tipps.txt.in:${number}: carriage return; save the file with plain line feeds")
  endif()
  if(chars GREATER MAX_CHARS)
    message(FATAL_ERROR "tipps.txt.in:${number}: ${chars} characters, at most ${MAX_CHARS} fit the tips dialog")
  endif()
endforeach()
if(number LESS MIN_TIPS)
  message(FATAL_ERROR "tipps.txt.in: only ${number} tips, expected at least ${MIN_TIPS}")
endif()
