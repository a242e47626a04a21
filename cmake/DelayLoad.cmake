# System libraries the program needs only for some actions (the file and
# font dialogs, sounds and the timer resolution, the tray icon) are bound on
# their first call instead of at start: loading them, and what they load in
# turn, was a good part of start-up under Wine. Each gets an import library
# whose imports the runtime's delay-load helper binds when first called.
#   veltrano_delay_loaded_library(NAME target DLL file.dll FUNCTIONS name...)
function(veltrano_delay_loaded_library)
  cmake_parse_arguments(arg "" "NAME;DLL" "FUNCTIONS" ${ARGN})
  # The 32-bit thunks this toolchain's dlltool makes jump to address 0 on
  # their first call, so the 32-bit program binds these libraries at start.
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "\\.dll$" "" system_library ${arg_DLL})
    add_library(${arg_NAME} INTERFACE)
    target_link_libraries(${arg_NAME} INTERFACE ${system_library})
    return()
  endif()
  set(lines "LIBRARY ${arg_DLL}\nEXPORTS\n")
  foreach(function IN LISTS arg_FUNCTIONS)
    string(APPEND lines "${function}\n")
  endforeach()
  set(folder ${CMAKE_BINARY_DIR}/delay-loaded)
  set(definition ${folder}/${arg_NAME}.def)
  set(imports ${folder}/lib${arg_NAME}.a)
  file(CONFIGURE OUTPUT ${definition} CONTENT "${lines}")
  add_custom_command(OUTPUT ${imports}
    COMMAND ${CMAKE_DLLTOOL} -d ${definition} -y ${imports}
    DEPENDS ${definition}
    COMMENT "Making the delay-loaded imports of ${arg_DLL}"
    VERBATIM)
  add_custom_target(${arg_NAME}_imports DEPENDS ${imports})
  add_library(${arg_NAME} INTERFACE)
  target_link_libraries(${arg_NAME} INTERFACE ${imports})
  add_dependencies(${arg_NAME} ${arg_NAME}_imports)
endfunction()

if(VELTRANO_WINDOWS)
  veltrano_delay_loaded_library(NAME veltrano_delayed_comdlg32 DLL comdlg32.dll
    FUNCTIONS ChooseFontW GetOpenFileNameW GetSaveFileNameW)
  veltrano_delay_loaded_library(NAME veltrano_delayed_shell32 DLL shell32.dll
    FUNCTIONS Shell_NotifyIconW)
  veltrano_delay_loaded_library(NAME veltrano_delayed_winmm DLL winmm.dll
    FUNCTIONS PlaySoundW mciGetDeviceIDW mciSendStringW timeBeginPeriod timeEndPeriod)
endif()
