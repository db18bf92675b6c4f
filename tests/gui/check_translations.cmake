# Fails when the English translation is unfinished: runs lupdate over the
# window sources into a copy of the .ts (so a text marked for translation but
# never added to the .ts shows up too) and lists every entry without an
# English text.
#   cmake -DLUPDATE=... -DTS=... -DSOURCES=dir -DINCLUDE=dir -DWORK=... -P check_translations.cmake
file(MAKE_DIRECTORY "${WORK}")
get_filename_component(name "${TS}" NAME)
set(copy "${WORK}/${name}")
file(COPY_FILE "${TS}" "${copy}")
execute_process(
  COMMAND "${LUPDATE}" -silent -no-obsolete -locations none -I "${INCLUDE}" ${SOURCES} -ts "${copy}"
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}): ${errors}")
endif()
file(READ "${copy}" ts)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"unfinished\""
       unfinished "${ts}")
string(REGEX MATCHALL "<translation></translation>" empty "${ts}")
list(LENGTH unfinished count)
list(LENGTH empty emptyCount)
if(count GREATER 0 OR emptyCount GREATER 0)
  string(REPLACE "<translation type=\"unfinished\"" "" unfinished "${unfinished}")
  string(REPLACE ";" "\n  " unfinished "${unfinished}")
  message(FATAL_ERROR "${name}: ${count} unfinished and ${emptyCount} empty entries "
                      "(build update_translations, then translate them):\n  ${unfinished}")
endif()
message(STATUS "${name}: every entry translated")
