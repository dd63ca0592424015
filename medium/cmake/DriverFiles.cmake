# Places the driver files on the medium from what the configuration names.
# Every file that a driver section of a module file (or a monitor section of
# setup.ini) names is put into the driver directory of that section's
# Windows family, so a model added to the configuration ships its files
# without further build changes. A named file must have a source: a file
# built here (registered with kv_medium_register_file), a text file in
# drivers/text/, or, for a model's data file, the data file template.

set(KV_DRIVER_FILE_KEYS
  DRIVERPATH DATAFILE CONFIGFILE HELPFILE DATAFILEDLLNAME DATAOEMUIDLL DATAOEMUNIDLL
  DATAOEMUNIINI PROCESSORDLLNAME)
set(KV_MONITOR_FILE_KEYS
  USBMONITORPDLLNAME USBMONITORPUIDLLNAME COMMONITORPDLLNAME COMMONITORPUIDLLNAME)

# Driver directory of the medium for a section suffix.
function(kv_family_directory suffix out)
  string(TOUPPER "${suffix}" upper)
  if(upper STREQUAL "98")
    set(${out} win98 PARENT_SCOPE)
  elseif(upper STREQUAL "NT" OR upper STREQUAL "2K" OR upper STREQUAL "XP")
    set(${out} winnt PARENT_SCOPE)
  elseif(upper STREQUAL "2003")
    set(${out} win2003 PARENT_SCOPE)
  elseif(upper STREQUAL "VISTA")
    set(${out} Vista PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# Profile values as the programs read them: blanks around, then one pair
# of matching quotes, removed.
function(kv_profile_value raw out)
  string(STRIP "${raw}" value)
  if(value MATCHES "^\"(.*)\"$" OR value MATCHES "^'(.*)'$")
    set(value "${CMAKE_MATCH_1}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Appends "family directory|file name|model" for every file the INI file
# names to the list variable OUT.
function(kv_collect_named_files ini keys out)
  set(found ${${out}})
  # Comment lines are left out; they could hold list separators.
  file(STRINGS ${ini} lines REGEX "^[ \t]*[^; \t#]")
  set(directory "")
  set(model "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*\\[(.*)\\][ \t]*$")
      string(STRIP "${CMAKE_MATCH_1}" section)
      set(directory "")
      if(section MATCHES "^(.*)\\.([^.]+)$")
        set(model "${CMAKE_MATCH_1}")
        kv_family_directory("${CMAKE_MATCH_2}" directory)
      endif()
    elseif(directory AND line MATCHES "^([^=]*)=(.*)$")
      string(STRIP "${CMAKE_MATCH_1}" key)
      string(TOUPPER "${key}" key)
      kv_profile_value("${CMAKE_MATCH_2}" value)
      string(REGEX REPLACE "^(STD|GDI)" "" bare "${key}")
      if(NOT value MATCHES "^0" AND NOT value STREQUAL ""
         AND (bare IN_LIST keys OR key IN_LIST keys))
        list(APPEND found "${directory}|${value}|${model}|${bare}")
      endif()
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(kv_place_driver_files)
  set(named "")
  foreach(module receipt Ticket Lable Embedded)
    kv_collect_named_files(${KV_MEDIUM_SOURCE_DIR}/DRVCONFIG/setup_${module}.ini
                           "${KV_DRIVER_FILE_KEYS};CONTROLFONTFILE" named)
  endforeach()
  kv_collect_named_files(${KV_MEDIUM_SOURCE_DIR}/DRVCONFIG/setup.ini "${KV_MONITOR_FILE_KEYS}"
                         named)
  set(placed "")
  foreach(entry IN LISTS named)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 directory)
    list(GET parts 1 name)
    list(GET parts 2 model)
    list(GET parts 3 key)
    string(TOUPPER "${directory}/${name}" id)
    if(id IN_LIST placed)
      continue()
    endif()
    list(APPEND placed ${id})
    string(TOUPPER "${name}" upper)
    get_property(source GLOBAL PROPERTY KV_SOURCE_${upper})
    if(source)
      kv_medium_place(copy "${source}" ${directory}/${name})
    elseif(EXISTS ${KV_MEDIUM_SOURCE_DIR}/drivers/text/${name})
      kv_medium_text_file(drivers/text/${name} ${directory}/${name})
    elseif(key STREQUAL "DATAFILE")
      set(KV_DATA_FILE ${name})
      set(KV_MODEL "Korvant ${model}")
      set(generated ${KV_MEDIUM_FILES_DIR}/data/${directory}/${name})
      configure_file(${KV_MEDIUM_SOURCE_DIR}/drivers/ModelData.gpd.in ${generated} @ONLY)
      kv_medium_place(text ${generated} ${directory}/${name})
    else()
      message(FATAL_ERROR "The configuration names ${name} for ${directory}\\ (${model}), "
                          "but the medium has no source for it")
    endif()
  endforeach()
endfunction()
