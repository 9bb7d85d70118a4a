# The Windows build's tests (scripts/windows.sh test runs them under Wine): the pure-logic
# suite, less the two files that drive POSIX files and processes (O_DIRECT, ffmpeg).
find_package(GTest REQUIRED)
set(UNIT_SOURCES test_options.cpp test_math.cpp test_timeline.cpp test_particles.cpp test_plasma.cpp
                 test_images.cpp test_fractal.cpp test_fire.cpp test_fireball.cpp test_sky_box.cpp test_ornament.cpp
                 test_lattice.cpp test_isosurface.cpp test_tunnel.cpp test_timedemo.cpp test_player.cpp
                 test_move_over.cpp test_flash_check.cpp)
list(TRANSFORM UNIT_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
add_executable(unit_tests ${UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE lumaro_all GTest::gtest_main)
