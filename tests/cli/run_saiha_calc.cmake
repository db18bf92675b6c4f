# Runs saiha-calc once and checks its exit status, standard output and
# standard error.  Called as `cmake -D... -P run_saiha_calc.cmake` with
#   BIN            the program
#   ARGS           its arguments, separated by '|' (optional)
#   STDIN          file for standard input (optional; empty input otherwise)
#   EXIT           expected exit status
#   STDOUT_FILE    file holding the exact expected standard output (optional)
#   STDOUT_REGEX   regular expression the standard output must match (optional)
#   STDOUT_LINES_OF  file whose line count the standard output must have (optional)
#   STDERR         "empty", "one_line" for exactly one line, or "lines" for
#                  one or more 'saiha-calc: ...' lines (optional)
#   STDERR_REGEX   regular expression standard error must match (optional)
cmake_minimum_required(VERSION 3.25)

set(args "")
if(DEFINED ARGS AND NOT ARGS STREQUAL "")
  string(REPLACE "|" ";" args "${ARGS}")
endif()
if(NOT DEFINED STDIN)
  set(STDIN /dev/null)
endif()

execute_process(
  COMMAND "${BIN}" ${args}
  INPUT_FILE "${STDIN}"
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE status)

set(failures "")
if(NOT status STREQUAL EXIT)
  string(APPEND failures "exit status ${status}, expected ${EXIT}\n")
endif()
if(DEFINED STDOUT_FILE)
  file(READ "${STDOUT_FILE}" expected)
  if(NOT out STREQUAL expected)
    string(APPEND failures "standard output differs from ${STDOUT_FILE}\n")
  endif()
endif()
if(DEFINED STDOUT_REGEX AND NOT out MATCHES "${STDOUT_REGEX}")
  string(APPEND failures "standard output does not match '${STDOUT_REGEX}'\n")
endif()
if(DEFINED STDOUT_LINES_OF)
  file(READ "${STDOUT_LINES_OF}" reference)
  string(REGEX MATCHALL "\n" want "${reference}")
  string(REGEX MATCHALL "\n" got "${out}")
  list(LENGTH want want)
  list(LENGTH got got)
  if(NOT want EQUAL got)
    string(APPEND failures "standard output has ${got} lines, expected ${want}\n")
  endif()
endif()
if(STDERR STREQUAL "empty" AND NOT err STREQUAL "")
  string(APPEND failures "standard error is not empty\n")
elseif(STDERR STREQUAL "one_line" AND NOT err MATCHES "^saiha-calc: [^\n]+\n$")
  string(APPEND failures "standard error is not one 'saiha-calc: ...' line\n")
elseif(STDERR STREQUAL "lines" AND NOT err MATCHES "^(saiha-calc: [^\n]+\n)+$")
  string(APPEND failures "standard error is not 'saiha-calc: ...' lines\n")
endif()
if(DEFINED STDERR_REGEX AND NOT err MATCHES "${STDERR_REGEX}")
  string(APPEND failures "standard error does not match '${STDERR_REGEX}'\n")
endif()

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${failures}--- standard output:\n${out}--- standard error:\n${err}")
endif()
