# Writes a resource STRINGTABLE from a program's string list (src/common/*.def,
# lines KV_STRING(kName, number, "text") with C escapes), so that the resource and the
# code's table hold the same texts. A program's .rc includes the output.
#   cmake -DINPUT=SetupStrings.def -DOUTPUT=SetupStrings.rc -P GenerateStringTable.cmake
if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "GenerateStringTable: INPUT and OUTPUT are required")
endif()

file(STRINGS ${INPUT} lines REGEX "^KV_STRING\\(")
set(body "")
set(previous 0)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^KV_STRING\\(k[A-Za-z0-9]+, ([0-9]+), \"(.*)\"\\)$")
    message(FATAL_ERROR "GenerateStringTable: cannot read '${line}' in ${INPUT}")
  endif()
  set(number ${CMAKE_MATCH_1})
  set(text "${CMAKE_MATCH_2}")
  if(NOT number GREATER previous)
    message(FATAL_ERROR "GenerateStringTable: ${number} out of order in ${INPUT}")
  endif()
  set(previous ${number})
  # A resource script writes a quote inside a string as two quotes; the other
  # C escapes (\n, \\) mean the same there.
  string(REPLACE "\\\"" "\"\"" text "${text}")
  string(APPEND body "  ${number}, \"${text}\"\n")
endforeach()

file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\nSTRINGTABLE\nBEGIN\n${body}END\n")
