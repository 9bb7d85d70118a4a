# The Windows build's tests (scripts/windows.sh test runs them under Wine): the pure-logic
# suite, less the two files that drive POSIX files and processes (O_DIRECT, ffmpeg), with
# Windows' own command line.
find_package(GTest REQUIRED)
set(UNIT_SOURCES test_options.cpp test_math.cpp test_timeline.cpp test_particles.cpp test_plasma.cpp
                 test_images.cpp test_fractal.cpp test_fire.cpp test_fireball.cpp test_sky_box.cpp test_ornament.cpp
                 test_lattice.cpp test_isosurface.cpp test_tunnel.cpp test_timedemo.cpp test_player.cpp
                 test_move_over.cpp test_flash_check.cpp windows/test_command_line.cpp)
list(TRANSFORM UNIT_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
add_executable(unit_tests ${UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE lumaro_all GTest::gtest_main)

# Stand-ins for ffmpeg.exe and ffprobe.exe, which the -video checks put on PATH.
foreach(program ffmpeg ffprobe)
  add_executable(stand_in_${program} ${CMAKE_CURRENT_SOURCE_DIR}/windows/stand_in_encoder.cpp)
  set_target_properties(stand_in_${program} PROPERTIES OUTPUT_NAME ${program}
                                                       RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/stand_in)
  target_link_options(stand_in_${program} PRIVATE -municode)
endforeach()
target_compile_definitions(stand_in_ffprobe PRIVATE STAND_IN_PROBE)
