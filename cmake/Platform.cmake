# Settings that differ between the native tree (host tools, portable tests)
# and the Windows tree (the product).

if(VELTRANO_WINDOWS)
  # Narrow literals are the system's own GBK texts; sources stay UTF-8.
  add_compile_options(-fexec-charset=GBK -finput-charset=UTF-8)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Statically linked: the program imports nothing but the system's own DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)

  # Windows test programs run through Wine with the prefix of this tree.
  set(VELTRANO_WINEPREFIX ${CMAKE_BINARY_DIR}/wine/headless CACHE PATH "Wine prefix used by ctest")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${VELTRANO_WINEPREFIX})
else()
  if(VELTRANO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
