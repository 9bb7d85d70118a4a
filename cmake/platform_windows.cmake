# Windows (cross-built with MinGW-w64 by scripts/windows.sh): SDL2 and libopenmpt built
# statically from Debian's sources (LUMARO_WINDOWS_DEPS), opengl32 and glu32, and the
# generated artwork, mesh, tables and music from a native build (LUMARO_NATIVE_DIR).
set(LUMARO_NATIVE_DIR "" CACHE PATH "native build folder holding generated/ and SongM.xm")
set(LUMARO_WINDOWS_DEPS "" CACHE PATH "prefix of SDL2 and libopenmpt built with MinGW-w64")
set(EMBED_DIR ${LUMARO_NATIVE_DIR}/generated)
foreach(needed ${EMBED_DIR}/assets/embedded_blocks.cpp ${LUMARO_NATIVE_DIR}/SongM.xm
               ${LUMARO_WINDOWS_DEPS}/lib/libSDL2.a ${LUMARO_WINDOWS_DEPS}/lib/libopenmpt.a)
  if(NOT EXISTS ${needed})
    message(FATAL_ERROR "${needed} is missing: scripts/windows.sh builds it first.")
  endif()
endforeach()
add_custom_target(artwork)  # drawn by the native build already
# -O3 meets a false -Wrestrict inside GCC 12's std::string; -O2, as the page has.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
configure_file(${LUMARO_NATIVE_DIR}/SongM.xm ${CMAKE_BINARY_DIR}/SongM.xm COPYONLY)

# SDL's own main stays out: ours is a plain main, found by MinGW's start-up in either subsystem.
add_compile_definitions(SDL_MAIN_HANDLED)
include_directories(SYSTEM ${LUMARO_WINDOWS_DEPS}/include ${LUMARO_WINDOWS_DEPS}/include/SDL2)
# The exe runs alone: the C and C++ runtimes and the threads linked in.
add_link_options(-static -static-libgcc -static-libstdc++ -s)  # -s: no symbols in the zip's exe
set(LUMARO_SDL2_LIBRARIES ${LUMARO_WINDOWS_DEPS}/lib/libSDL2.a setupapi winmm imm32 version ole32 oleaut32 gdi32
                          user32 shell32 advapi32 uuid psapi)
set(LUMARO_GL_LIBRARIES glu32 opengl32)
set(LUMARO_AUDIO_LIBRARIES ${LUMARO_WINDOWS_DEPS}/lib/libopenmpt.a ${LUMARO_SDL2_LIBRARIES})
set(LUMARO_AUDIO_PLATFORM_SOURCES audio/caught_stderr_win.cpp)
set(LUMARO_SHELL_PLATFORM_SOURCES shell/headless_win.cpp shell/x11_watch_win.cpp shell/encoder_win.cpp
                                  shell/message_box_win.cpp shell/new_file_win.cpp shell/process_win.cpp
                                  shell/gl_entries_win.cpp shell/programs_win.cpp)
set(LUMARO_SHELL_LIBRARIES ${LUMARO_SDL2_LIBRARIES})
# No console window on a double-click; one started from a console still writes to it.
set(LUMARO_EXECUTABLE_KIND WIN32)

# The exe's icon (drawn by the native artgen), version and manifest. Debian's MinGW links
# no default manifest, so this is the only one.
enable_language(RC)
set(LUMARO_ICO ${LUMARO_NATIVE_DIR}/art/lumaro.ico)
if(NOT EXISTS ${LUMARO_ICO})
  message(FATAL_ERROR "${LUMARO_ICO} is missing: the native build draws it with the artwork.")
endif()
set(LUMARO_MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/lumaro.manifest)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/lumaro.rc.in ${CMAKE_BINARY_DIR}/lumaro.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/lumaro.rc PROPERTIES OBJECT_DEPENDS "${LUMARO_ICO};${LUMARO_MANIFEST}")
set(LUMARO_EXECUTABLE_RESOURCES ${CMAKE_BINARY_DIR}/lumaro.rc)
