# Settings that differ between the native tree (host tools, portable tests)
# and the Windows tree (the product).

if(VELTRANO_WINDOWS)
  # Narrow literals are the system's own code page 936 texts; sources stay
  # UTF-8. GB18030 encodes every GBK character with GBK's own bytes and, unlike
  # GBK, can also encode the few characters the C++ library's headers put in
  # narrow literals (the micro sign in <chrono>), which would not compile.
  add_compile_options(-fexec-charset=GB18030 -finput-charset=UTF-8)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Statically linked: the program imports nothing but the system's own DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)

  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # An ordinary 64-bit program: placed anywhere, memory above 4 GB included
    # (the 64-bit linker marks every image large-address-aware by itself).
    add_link_options(-Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
    set(VELTRANO_WINE_LOADER /usr/lib/wine/wine64)
  else()
    # Placed anywhere, with the relocations that takes, and data never run
    # as code: given here rather than left to the linker's defaults, which
    # older linkers did not set for 32-bit images.
    add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
    set(VELTRANO_WINE_LOADER wine)
  endif()

  # Windows test programs run through Wine with the prefix of this tree.
  set(VELTRANO_WINEPREFIX ${CMAKE_BINARY_DIR}/wine/headless CACHE PATH "Wine prefix used by ctest")
  # One program path: test discovery does not pass an emulator with arguments.
  set(VELTRANO_WINE_RUNNER ${CMAKE_BINARY_DIR}/wine-run)
  file(CONFIGURE OUTPUT ${VELTRANO_WINE_RUNNER}
       CONTENT "#!/bin/sh\nexport VELTRANO_WINE=${VELTRANO_WINE_LOADER}\nexec \"${CMAKE_SOURCE_DIR}/scripts/wine-run.sh\" \"${VELTRANO_WINEPREFIX}\" \"$@\"\n"
       @ONLY)
  file(CHMOD ${VELTRANO_WINE_RUNNER} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
       WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELTRANO_WINE_RUNNER})
else()
  if(VELTRANO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
