# veltrano_window_template(TARGET <library> DEFINITION <file.vtd>
#                          HEADER <include path> NAMESPACE <c++ namespace>)
#
# Compiles a window definition with veltrano-tc into a static library that
# holds the template segment, plus the generated header (window id, one
# constant per named component, lastIdSerial, handler table) under the
# include path given. The native tree runs its own veltrano-tc; the Windows
# tree runs the native tree's copy from VELTRANO_HOST_BIN. The raw segment
# is also written beside it; the target property VELTRANO_SEGMENT names it.
function(veltrano_window_template)
  cmake_parse_arguments(T "" "TARGET;DEFINITION;HEADER;NAMESPACE" "" ${ARGN})
  foreach(required TARGET DEFINITION HEADER NAMESPACE)
    if(NOT T_${required})
      message(FATAL_ERROR "veltrano_window_template: ${required} is required")
    endif()
  endforeach()

  get_filename_component(definition ${T_DEFINITION} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(stem ${T_HEADER} NAME_WE)
  get_filename_component(header_dir ${T_HEADER} DIRECTORY)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(header ${generated}/${T_HEADER})
  set(source ${generated}/${stem}.cpp)
  set(segment ${CMAKE_CURRENT_BINARY_DIR}/${stem}.segment)

  if(VELTRANO_WINDOWS)
    if(NOT VELTRANO_HOST_BIN OR NOT EXISTS ${VELTRANO_HOST_BIN}/veltrano-tc)
      message(FATAL_ERROR "veltrano-tc not found in VELTRANO_HOST_BIN (${VELTRANO_HOST_BIN}); build the native tree first")
    endif()
    set(compiler ${VELTRANO_HOST_BIN}/veltrano-tc)
    set(compiler_dependency ${compiler})
  else()
    set(compiler $<TARGET_FILE:veltrano-tc>)
    set(compiler_dependency veltrano-tc)
  endif()

  add_custom_command(
    OUTPUT ${header} ${source} ${segment}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/${header_dir}
    COMMAND ${compiler} compile ${definition}
            --header ${header} --source ${source} --segment ${segment}
            --namespace ${T_NAMESPACE} --header-include ${T_HEADER}
    DEPENDS ${definition} ${compiler_dependency}
    COMMENT "Compiling the window definition ${T_DEFINITION}"
    VERBATIM)

  add_library(${T_TARGET} STATIC ${source} ${header})
  target_include_directories(${T_TARGET} PUBLIC ${generated})
  set_target_properties(${T_TARGET} PROPERTIES VELTRANO_SEGMENT ${segment})
  veltrano_warnings(${T_TARGET})
endfunction()
