# Helpers that build the files of the installation medium and record where
# each one goes. Every file is entered into KV_MEDIUM_MANIFEST as
# "<mode>|<source>|<path on the medium>"; AssembleMedium.cmake copies them,
# text files (mode "text") with CR LF line ends, the others (mode "copy") as
# they are.

set(KV_MEDIUM_FILES_DIR ${CMAKE_CURRENT_BINARY_DIR}/files)
file(MAKE_DIRECTORY ${KV_MEDIUM_FILES_DIR})
set_property(GLOBAL PROPERTY KV_MEDIUM_MANIFEST "")
set_property(GLOBAL PROPERTY KV_MEDIUM_DEPENDS "")

# kv_medium_place(MODE SOURCE DESTINATION...): SOURCE (a path or a generator
# expression) is copied to every DESTINATION, a path relative to the medium.
function(kv_medium_place mode source)
  foreach(destination ${ARGN})
    set_property(GLOBAL APPEND PROPERTY KV_MEDIUM_MANIFEST "${mode}|${source}|${destination}")
  endforeach()
endfunction()

# kv_medium_register_file(NAME SOURCE): the medium file NAME is made from
# SOURCE (a path or a generator expression).
function(kv_medium_register_file name source)
  string(TOUPPER "${name}" upper)
  set_property(GLOBAL PROPERTY KV_SOURCE_${upper} "${source}")
endfunction()

function(kv_medium_depends)
  set_property(GLOBAL APPEND PROPERTY KV_MEDIUM_DEPENDS ${ARGN})
endfunction()

# Splits "a.b.c.d" into KV_V1..KV_V4 in the caller. Every version on the
# medium has four single digits: the USB driver check reads characters 0, 2,
# 4 and 6 of the version text.
function(kv_split_version version)
  if(NOT version MATCHES "^([0-9])\\.([0-9])\\.([0-9])\\.([0-9])$")
    message(FATAL_ERROR "Medium file version '${version}' is not a.b.c.d with single digits")
  endif()
  set(KV_V1 ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(KV_V2 ${CMAKE_MATCH_2} PARENT_SCOPE)
  set(KV_V3 ${CMAKE_MATCH_3} PARENT_SCOPE)
  set(KV_V4 ${CMAKE_MATCH_4} PARENT_SCOPE)
endfunction()

# kv_medium_version_rc(OUT FILENAME VERSION DESCRIPTION TYPE): writes the
# version resource script of FILENAME and returns its path in OUT. TYPE is
# APP, DLL, PRINTER_DRIVER or SYSTEM_DRIVER.
function(kv_medium_version_rc out filename version description type)
  kv_split_version(${version})
  set(KV_FILENAME ${filename})
  set(KV_VERSION ${version})
  set(KV_DESCRIPTION ${description})
  set(KV_FILESUBTYPE VFT2_UNKNOWN)
  if(type STREQUAL "APP")
    set(KV_FILETYPE VFT_APP)
  elseif(type STREQUAL "DLL")
    set(KV_FILETYPE VFT_DLL)
  elseif(type STREQUAL "PRINTER_DRIVER")
    set(KV_FILETYPE VFT_DRV)
    set(KV_FILESUBTYPE VFT2_DRV_PRINTER)
  elseif(type STREQUAL "SYSTEM_DRIVER")
    set(KV_FILETYPE VFT_DRV)
    set(KV_FILESUBTYPE VFT2_DRV_SYSTEM)
  else()
    message(FATAL_ERROR "Unknown version resource type ${type}")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/version/${filename}.rc)
  configure_file(${KV_MEDIUM_SOURCE_DIR}/version/Version.rc.in ${rc} @ONLY)
  set(${out} ${rc} PARENT_SCOPE)
endfunction()

# kv_medium_resource_pe(FILENAME VERSION DESCRIPTION TYPE): a PE file that
# holds nothing but its version resource, for files the programs only copy
# or query for their version. The file is made in KV_MEDIUM_FILES_DIR and
# registered under its name.
function(kv_medium_resource_pe filename version description type)
  kv_medium_version_rc(rc ${filename} ${version} "${description}" ${type})
  set(object ${CMAKE_CURRENT_BINARY_DIR}/version/${filename}.o)
  set(output ${KV_MEDIUM_FILES_DIR}/${filename})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${rc} -o ${object}
    COMMAND ${KV_LINKER} -shared -e 0 -s ${object} -o ${output}
    DEPENDS ${rc} ${KV_MEDIUM_SOURCE_DIR}/version/Version.rc.in
    COMMENT "Resource-only ${filename}"
    VERBATIM)
  kv_medium_depends(${output})
  kv_medium_register_file(${filename} ${output})
endfunction()

# kv_medium_code_module(TARGET FILENAME VERSION DESCRIPTION TYPE SOURCES...):
# a DLL (exports undecorated) or, with TYPE APP, a GUI program, built from
# sources with the shipped programs' compiler and registered under its name.
function(kv_medium_code_module target filename version description type)
  kv_medium_version_rc(rc ${filename} ${version} "${description}" ${type})
  get_filename_component(stem ${filename} NAME_WE)
  get_filename_component(suffix ${filename} LAST_EXT)
  if(type STREQUAL "APP")
    add_executable(${target} WIN32 ${ARGN} ${rc})
  else()
    add_library(${target} SHARED ${ARGN} ${rc})
    target_link_options(${target} PRIVATE -Wl,--kill-at)
  endif()
  target_link_options(${target} PRIVATE -s)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${stem} SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/bin/${target})
  # Structure sizes that Windows 98 and NT 4.0 accept.
  target_compile_definitions(${target} PRIVATE WINVER=0x0400 _WIN32_WINNT=0x0400)
  # The handle owners' leaf (handles/) beside the medium's own headers.
  target_include_directories(${target} PRIVATE ${KV_MEDIUM_SOURCE_DIR} ${KV_MEDIUM_SOURCE_DIR}/../src)
  set_property(GLOBAL APPEND PROPERTY KV_MEDIUM_BINARIES ${target})
  kv_medium_depends(${target})
  kv_medium_register_file(${filename} $<TARGET_FILE:${target}>)
endfunction()

# kv_medium_text_file(SOURCE DESTINATION...): a text file of the medium
# (SOURCE relative to the medium sources).
function(kv_medium_text_file source)
  set(path ${KV_MEDIUM_SOURCE_DIR}/${source})
  kv_medium_depends(${path})
  kv_medium_place(text ${path} ${ARGN})
endfunction()
