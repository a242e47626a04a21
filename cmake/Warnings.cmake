# Warnings for our own targets; third-party code (GoogleTest) is built without them.
set(VELTRANO_WARNINGS -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
# On a 64-bit target a word narrowed to 32 bits may be an address cut off
# above 4 GB: there, an implicit narrowing does not build at all.
if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND CMAKE_SYSTEM_NAME STREQUAL "Windows")
  list(APPEND VELTRANO_WARNINGS -Werror=conversion)
endif()

function(veltrano_warnings target)
  target_compile_options(${target} PRIVATE ${VELTRANO_WARNINGS})
endfunction()
