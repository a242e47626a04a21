# Warnings for our own targets; third-party code (GoogleTest) is built without them.
set(VELTRANO_WARNINGS -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)

function(veltrano_warnings target)
  target_compile_options(${target} PRIVATE ${VELTRANO_WARNINGS})
endfunction()
