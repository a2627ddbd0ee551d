# cmake -DSRC=<source tree> -DOUT=<header> [-DCOMMIT=<revision>] -P WriteBuildCommit.cmake
# Writes OUT with the revision when its content would change. Without a given
# revision, git's HEAD; when that cannot be had (no git, not a checkout), 40
# zeros, which no real revision is.
function(orv_is_revision value out)
  string(LENGTH "${value}" n)
  if(n EQUAL 40 AND value MATCHES "^[0-9a-f]+$")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

set(revision "${COMMIT}")
orv_is_revision("${revision}" given)
if(NOT given)
  if(COMMIT)
    message(WARNING "ORV_SOURCE_COMMIT is not 40 lower-case hexadecimal digits; using git")
  endif()
  execute_process(COMMAND git -C "${SRC}" rev-parse HEAD
    OUTPUT_VARIABLE revision RESULT_VARIABLE failed
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  orv_is_revision("${revision}" found)
  if(failed OR NOT found)
    set(revision "0000000000000000000000000000000000000000")
  endif()
endif()

set(text "// Written by cmake/WriteBuildCommit.cmake at build time.\n#define ORV_BUILD_COMMIT \"${revision}\"\n")
set(old "")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
