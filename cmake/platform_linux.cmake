# Linux: SDL2 and libopenmpt from the system, X11 for the window's watch, EGL for the
# offscreen context, POSIX processes and signals.
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(OPENMPT REQUIRED IMPORTED_TARGET libopenmpt)
pkg_check_modules(GLU REQUIRED IMPORTED_TARGET glu)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
find_package(Freetype REQUIRED)
find_package(PNG REQUIRED)
set(LUMARO_GL_LIBRARIES OpenGL::GL PkgConfig::GLU)
set(LUMARO_AUDIO_LIBRARIES PkgConfig::SDL2 PkgConfig::OPENMPT)
set(LUMARO_AUDIO_PLATFORM_SOURCES audio/caught_stderr_posix.cpp)
set(LUMARO_SHELL_PLATFORM_SOURCES shell/headless_posix.cpp shell/x11_watch_posix.cpp shell/programs_posix.cpp
                                  shell/encoder_posix.cpp shell/message_box_posix.cpp
                                  shell/new_file_posix.cpp shell/process_posix.cpp)
set(LUMARO_SHELL_LIBRARIES PkgConfig::SDL2 PkgConfig::X11 OpenGL::EGL)
