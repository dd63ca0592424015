# The resource string tables of both programs, generated from the lists the
# code compiles: ${CMAKE_BINARY_DIR}/generated/SetupStrings.rc and
# UninstallStrings.rc. A program's .rc does #include "SetupStrings.rc" with
# ${KV_GENERATED_DIR} on the resource compiler's include path and depends on
# the target kv_string_tables.
set(KV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(KV_STRING_TABLE_FILES "")
foreach(program Setup Uninstall)
  set(input ${CMAKE_SOURCE_DIR}/src/common/${program}Strings.def)
  set(output ${KV_GENERATED_DIR}/${program}Strings.rc)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KV_GENERATED_DIR}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output}
            -P ${CMAKE_SOURCE_DIR}/cmake/GenerateStringTable.cmake
    DEPENDS ${input} ${CMAKE_SOURCE_DIR}/cmake/GenerateStringTable.cmake
    COMMENT "String table of ${program}")
  list(APPEND KV_STRING_TABLE_FILES ${output})
endforeach()
add_custom_target(kv_string_tables ALL DEPENDS ${KV_STRING_TABLE_FILES})
