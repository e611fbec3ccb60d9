# Run by CTest when it starts (through a test program's TEST_INCLUDE_FILES,
# see glyphora_add_test): lists the GoogleTest suites of one test program
# under Wine and registers each suite as a test of its own.
#
# One entry per suite, not per case: under Wine a test program that starts
# the window system costs about a second to start and stop, which across some
# five hundred cases cost far more than the cases themselves. A suite still
# names a failure closely (and GoogleTest's output names the case), and a
# hang costs only that suite's time limit.
#
# Expects: GLYPHORA_SUITES_EMULATOR, GLYPHORA_SUITES_PROGRAM, GLYPHORA_SUITES_PREFIX,
# GLYPHORA_SUITES_TIMEOUT, GLYPHORA_SUITES_LABEL, GLYPHORA_SUITES_DIR.

if(NOT EXISTS "${GLYPHORA_SUITES_PROGRAM}")
  add_test("${GLYPHORA_SUITES_PREFIX}NOT_BUILT" "${GLYPHORA_SUITES_PROGRAM}")
  return()
endif()

execute_process(
  COMMAND ${GLYPHORA_SUITES_EMULATOR} "${GLYPHORA_SUITES_PROGRAM}" --gtest_list_tests
  WORKING_DIRECTORY "${GLYPHORA_SUITES_DIR}"
  TIMEOUT 120
  OUTPUT_VARIABLE listing
  ERROR_QUIET
  RESULT_VARIABLE result)

set(suites "")
if(result EQUAL 0)
  string(REPLACE "\r" "" listing "${listing}")
  string(REPLACE ";" "" listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  foreach(line IN LISTS lines)
    # Suite lines start in the first column and end with a dot (before an
    # optional "# TypeParam = ..." comment); cases are indented.
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.( +#.*)?$")
      list(APPEND suites "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endif()

if(NOT suites)
  # A program that could not list its suites is not skipped: it runs whole,
  # as one entry, and its own output shows what went wrong.
  add_test("${GLYPHORA_SUITES_PREFIX}LISTING_FAILED" ${GLYPHORA_SUITES_EMULATOR} "${GLYPHORA_SUITES_PROGRAM}")
  set_tests_properties("${GLYPHORA_SUITES_PREFIX}LISTING_FAILED" PROPERTIES
    TIMEOUT 600 LABELS ${GLYPHORA_SUITES_LABEL}
    WORKING_DIRECTORY "${GLYPHORA_SUITES_DIR}")
  return()
endif()

foreach(suite IN LISTS suites)
  set(test "${GLYPHORA_SUITES_PREFIX}${suite}")
  add_test("${test}" ${GLYPHORA_SUITES_EMULATOR} "${GLYPHORA_SUITES_PROGRAM}" "--gtest_filter=${suite}.*")
  set_tests_properties("${test}" PROPERTIES
    TIMEOUT ${GLYPHORA_SUITES_TIMEOUT} LABELS ${GLYPHORA_SUITES_LABEL}
    WORKING_DIRECTORY "${GLYPHORA_SUITES_DIR}")
endforeach()
