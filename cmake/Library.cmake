# veltrano_add_library(NAME target SOURCES file... [LIBS library...]): one of
# our static libraries, its headers found from the source root as every
# #include names them, built with our warnings.
function(veltrano_add_library)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
  target_include_directories(${ARG_NAME} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LIBS})
  endif()
  veltrano_warnings(${ARG_NAME})
endfunction()
