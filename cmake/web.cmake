# The browser's build, configured with emcmake by scripts/web.sh: the generated artwork,
# mesh, tables and music come from a native build (LUMARO_NATIVE_DIR), SDL2 and libopenmpt
# built with emcc from Debian's sources (LUMARO_WEB_DEPS: include/ and lib/), and every
# layer draws through glcompat, whose GL/gl.h and GL/glu.h come before any other.
set(LUMARO_NATIVE_DIR "" CACHE PATH "native build folder holding generated/, art/lumaro.png and SongM.xm")
set(LUMARO_WEB_DEPS "" CACHE PATH "prefix of SDL2 and libopenmpt built with emcc")
set(LUMARO_SITE_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "where the page's files go")
set(EMBED_DIR ${LUMARO_NATIVE_DIR}/generated)
foreach(needed ${EMBED_DIR}/assets/embedded_blocks.cpp ${LUMARO_NATIVE_DIR}/SongM.xm
               ${LUMARO_NATIVE_DIR}/art/lumaro.png ${LUMARO_WEB_DEPS}/lib/libSDL2.a ${LUMARO_WEB_DEPS}/lib/libopenmpt.a)
  if(NOT EXISTS ${needed})
    message(FATAL_ERROR "${needed} is missing: scripts/web.sh builds it first.")
  endif()
endforeach()
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
# The browser's C library is a POSIX one: the audio layer's own file is the POSIX one.
set(LUMARO_AUDIO_PLATFORM_SOURCES audio/caught_stderr_posix.cpp)

file(GLOB GLCOMPAT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/glcompat/src/*.cpp)
add_library(glcompat_web STATIC ${GLCOMPAT_SOURCES})
target_include_directories(glcompat_web PUBLIC ${CMAKE_SOURCE_DIR}/glcompat/include)
include_directories(BEFORE ${CMAKE_SOURCE_DIR}/glcompat/include)
include_directories(${LUMARO_WEB_DEPS}/include ${LUMARO_WEB_DEPS}/include/SDL2)

add_custom_target(artwork)  # drawn by the native build already
set(LUMARO_GL_LIBRARIES glcompat_web)
set(LUMARO_AUDIO_LIBRARIES ${LUMARO_WEB_DEPS}/lib/libopenmpt.a ${LUMARO_WEB_DEPS}/lib/libSDL2.a)
