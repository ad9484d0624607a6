# Runs after a Qt Test program is built: asks it for its test functions (-functions) and writes a
# CTest file with one test per function, so that a failure names the function that failed.
# Arguments: TEST_EXECUTABLE, TEST_PREFIX, TEST_ENVIRONMENT (a ;-list, passed with | instead of ;),
# OUTPUT, and TEST_EMULATOR (what runs a cross-built program here, such as wine; may be empty).
string(REPLACE "|" ";" environment "${TEST_ENVIRONMENT}")
# The listing runs with the tests' environment (the offscreen platform, the leak suppressions).
foreach(variable IN LISTS environment)
  if(variable MATCHES "^([^=]+)=(.*)$")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
  endif()
endforeach()
string(REPLACE "|" ";" emulator "${TEST_EMULATOR}")
execute_process(COMMAND ${emulator} "${TEST_EXECUTABLE}" -functions
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} -functions failed (${result}): ${errors}")
endif()
# A Windows program ends its lines with CR LF.
string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(command "")
foreach(word IN LISTS emulator)
  string(APPEND command "[=[${word}]=] ")
endforeach()
set(content "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
    set(function "${CMAKE_MATCH_1}")
    string(APPEND content
      "add_test([=[${TEST_PREFIX}.${function}]=] ${command}[=[${TEST_EXECUTABLE}]=] [=[${function}]=])\n"
      "set_tests_properties([=[${TEST_PREFIX}.${function}]=] PROPERTIES ENVIRONMENT [=[${environment}]=])\n")
  endif()
endforeach()
if(content STREQUAL "")
  message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test functions")
endif()
file(WRITE "${OUTPUT}" "${content}")
