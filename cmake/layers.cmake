# The program's layers, lowest first (cmake/layers.txt), each a static library that links
# only the layers below it. A layer's include path is a view of the source tree that holds
# only itself and the layers below (symbolic links made here, at configure time), so an
# include running back up does not compile. scripts/check_layers.py says the same in words and also finds
# modules that include each other in a circle.

# What each layer may include, as the list has it: LUMARO_BELOW_<layer>. Whole layers only;
# a single module allowed (web's shell/options) is compiled into its user instead.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/layers.txt)
file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/layers.txt LAYER_LINES REGEX "^[a-z]+:")
foreach(line ${LAYER_LINES})
  string(REGEX MATCH "^([a-z]+):(.*)$" matched "${line}")
  separate_arguments(allowed UNIX_COMMAND "${CMAKE_MATCH_2}")
  list(FILTER allowed EXCLUDE REGEX "/")
  set(LUMARO_BELOW_${CMAKE_MATCH_1} ${allowed})
endforeach()

# lumaro_layer(NAME SOURCES ... LIBRARIES libraries...)
function(lumaro_layer name)
  cmake_parse_arguments(LAYER "" "" "SOURCES;LIBRARIES" ${ARGN})
  set(LAYER_BELOW ${LUMARO_BELOW_${name}})
  add_library(lumaro_${name} STATIC ${LAYER_SOURCES})
  set(view ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  foreach(layer ${name} ${LAYER_BELOW})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${layer} ${view}/${layer} SYMBOLIC)
  endforeach()
  target_include_directories(lumaro_${name} PRIVATE ${view})
  foreach(layer ${LAYER_BELOW})
    target_link_libraries(lumaro_${name} PUBLIC lumaro_${layer})
  endforeach()
  target_link_libraries(lumaro_${name} PUBLIC ${LAYER_LIBRARIES})
  # libFuzzer sees the coverage of the code its targets drive, not only of the harnesses.
  if(LUMARO_FUZZ)
    target_compile_options(lumaro_${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# A scene is its files in scenes/ and its row in scenes/scene_list.h: nothing to list here.
file(GLOB SCENE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scenes/*.cpp)

lumaro_layer(base SOURCES base/run_state.cpp base/random.cpp base/clock.cpp base/report.cpp base/new_file.cpp)
lumaro_layer(gfx SOURCES gfx/sine.cpp gfx/tga.cpp gfx/texture.cpp gfx/overlays.cpp gfx/draw.cpp gfx/gl_reset.cpp
                         gfx/text_font.cpp
             LIBRARIES ${LUMARO_GL_LIBRARIES})
lumaro_layer(audio SOURCES audio/sound_library.cpp audio/music.cpp audio/xm_check.cpp audio/module_file.cpp
                           audio/soundtrack.cpp audio/caught_stderr.cpp audio/cue_ahead.cpp ${LUMARO_AUDIO_PLATFORM_SOURCES}
             LIBRARIES ${LUMARO_AUDIO_LIBRARIES})
lumaro_layer(assets SOURCES assets/assets.cpp ${EMBED_DIR}/assets/embedded_blocks.cpp)
target_include_directories(lumaro_assets PRIVATE ${EMBED_DIR})
add_dependencies(lumaro_assets artwork)
lumaro_layer(scenes SOURCES ${SCENE_SOURCES})
lumaro_layer(engine SOURCES engine/timeline.cpp engine/catch_up.cpp engine/composer.cpp engine/startup.cpp
                            engine/capture.cpp engine/capture_plan.cpp engine/frame_writer.cpp engine/frame_files.cpp engine/wav.cpp
                            engine/progress.cpp engine/timedemo.cpp engine/navigation.cpp engine/yuv420.cpp
                            engine/player.cpp engine/show.cpp engine/flash_check.cpp
                            engine/flash_watch.cpp)
# The metaball field is rebuilt every frame; its loops need the full vectoriser, which may
# divide in every lane only when it need not fear traps. Rounding is IEEE either way: the
# results are the same as scalar code's.
set_source_files_properties(scenes/isosurface.cpp PROPERTIES COMPILE_OPTIONS "-O3;-fno-trapping-math")
# The embedded blocks are large generated tables; no warnings to read there.
set_source_files_properties(${EMBED_DIR}/assets/embedded_blocks.cpp PROPERTIES COMPILE_OPTIONS "-w")
if(EMSCRIPTEN)
  return()  # the page's shell is web/
endif()

# What differs by system (processes, the offscreen context, signals) is chosen by
# cmake/platform_<system>.cmake: LUMARO_SHELL_PLATFORM_SOURCES and LUMARO_SHELL_LIBRARIES.
lumaro_layer(shell SOURCES shell/options.cpp shell/option_values.cpp shell/platform.cpp
                           shell/window_proc.cpp shell/menu.cpp shell/menu_draw.cpp shell/module_search.cpp
                           shell/recording.cpp shell/frame_fit.cpp shell/frame_target.cpp shell/window.cpp
                           shell/window_icon.cpp shell/run_setup.cpp shell/encoder_common.cpp shell/video_check.cpp
                           ${LUMARO_SHELL_PLATFORM_SOURCES}
             LIBRARIES ${LUMARO_SHELL_LIBRARIES})
target_compile_definitions(lumaro_shell PRIVATE LUMARO_VERSION="${PROJECT_VERSION}")

add_executable(lumaro ${LUMARO_EXECUTABLE_KIND} shell/main.cpp ${LUMARO_EXECUTABLE_RESOURCES})
target_include_directories(lumaro PRIVATE ${CMAKE_BINARY_DIR}/layers/shell)
target_link_libraries(lumaro PRIVATE lumaro_shell)
target_compile_definitions(lumaro PRIVATE LUMARO_VERSION="${PROJECT_VERSION}")

# Tests, benchmarks and fuzz targets see every layer: they link the program's libraries
# (all of them, through the shell's) and include from the source root.
add_library(lumaro_all INTERFACE)
target_link_libraries(lumaro_all INTERFACE lumaro_shell)
target_include_directories(lumaro_all INTERFACE ${CMAKE_SOURCE_DIR})
