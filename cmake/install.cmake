# `cmake --install BUILD [--prefix PREFIX]`: the program (stripped), its music where it looks
# for it (PREFIX/share/lumaro beside PREFIX/bin), its manual page, a desktop entry with its
# AppStream metadata and the icons our art generator draws. scripts/uninstall.sh takes them
# away again, by the list the install writes; scripts/release.sh packs the same tree.
include(GNUInstallDirs)
set(LUMARO_APP_ID io.github.lumaro.Lumaro)  # the desktop entry's name and the metadata's id
set(LUMARO_SOURCE_URL "https://github.com/lumaro/lumaro" CACHE STRING "where the sources are published")
set(LUMARO_ICON_SIZES 16 32 48 64 128 256)  # as artgen draws them
set(LUMARO_INSTALL_DIRS ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR}/lumaro ${CMAKE_INSTALL_DATADIR}/applications
                        ${CMAKE_INSTALL_DATADIR}/metainfo ${CMAKE_INSTALL_MANDIR}/man6 ${CMAKE_INSTALL_DOCDIR})
foreach(size ${LUMARO_ICON_SIZES})
  list(APPEND LUMARO_INSTALL_DIRS ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page, from the option and key tables of the program itself.
add_executable(manpage tools/manpage/main.cpp)
target_include_directories(manpage PRIVATE ${CMAKE_BINARY_DIR}/layers/shell)
target_link_libraries(manpage PRIVATE lumaro_shell)
target_compile_definitions(manpage PRIVATE LUMARO_VERSION="${PROJECT_VERSION}")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/lumaro.6
  COMMAND manpage ${CMAKE_BINARY_DIR}/lumaro.6 ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_INSTALL_FULL_DATADIR}
  DEPENDS manpage ${CMAKE_SOURCE_DIR}/README.md
  COMMENT "Writing the manual page lumaro.6")
add_custom_target(manual ALL DEPENDS ${CMAKE_BINARY_DIR}/lumaro.6)

# The AppStream metadata, with the project's version, released on the day of the commit
# it is built from (of the build, outside a git checkout).
execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%cs OUTPUT_VARIABLE LUMARO_RELEASE_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT LUMARO_RELEASE_DATE MATCHES "^[0-9]+-[0-9]+-[0-9]+$")
  string(TIMESTAMP LUMARO_RELEASE_DATE "%Y-%m-%d" UTC)
endif()
# Its photosensitivity warning is the README's paragraph (which the manual page takes too).
function(lumaro_flash_warning out)
  file(READ ${CMAKE_SOURCE_DIR}/README.md readme)
  set(marker "**Photosensitivity warning:** ")
  string(FIND "${readme}" "${marker}" at)
  if(at LESS 0)
    message(FATAL_ERROR "README.md has no paragraph starting ${marker}")
  endif()
  string(LENGTH "${marker}" length)
  math(EXPR at "${at} + ${length}")
  string(SUBSTRING "${readme}" ${at} -1 readme)
  string(FIND "${readme}" "\n\n" end)
  string(SUBSTRING "${readme}" 0 ${end} text)
  string(REPLACE "\n" " " text "${text}")
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
lumaro_flash_warning(LUMARO_FLASH_WARNING)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
configure_file(${CMAKE_SOURCE_DIR}/packaging/${LUMARO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${LUMARO_APP_ID}.metainfo.xml @ONLY)

# Before anything is copied: the folders the install is about to make, added to
# BUILD/install_folders.txt beside install_manifest.txt. The uninstall removes only these,
# so a prefix's bin or share/applications that was there before stays.
install(CODE "
  set(prefix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(list_file \"${CMAKE_BINARY_DIR}/install_folders.txt\")
  set(folders)
  if(EXISTS \"\${list_file}\")
    file(STRINGS \"\${list_file}\" folders)
  endif()
  foreach(dir ${LUMARO_INSTALL_DIRS})
    if(IS_ABSOLUTE \"\${dir}\")
      set(path \"\$ENV{DESTDIR}\${dir}\")
    else()
      set(path \"\${prefix}/\${dir}\")
    endif()
    # Up from the destination to the first folder that already exists.
    while(NOT EXISTS \"\${path}\" AND NOT path STREQUAL \"/\" AND NOT path STREQUAL \"\")
      list(APPEND folders \"\${path}\")
      get_filename_component(path \"\${path}\" DIRECTORY)
    endwhile()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  list(JOIN folders \"\\n\" text)
  file(WRITE \"\${list_file}\" \"\${text}\\n\")
")

install(TARGETS lumaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Users type plain `cmake --install`, not `--strip`: the installed program is stripped here.
if(CMAKE_STRIP)
  install(CODE "
    set(program \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:lumaro>\")
    if(IS_ABSOLUTE \"${CMAKE_INSTALL_BINDIR}\")
      set(program \"\$ENV{DESTDIR}${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:lumaro>\")
    endif()
    execute_process(COMMAND \"${CMAKE_STRIP}\" \"\${program}\" RESULT_VARIABLE stripped)
    if(NOT stripped EQUAL 0)
      message(FATAL_ERROR \"cannot strip \${program}\")
    endif()
  ")
endif()
install(FILES ${CMAKE_BINARY_DIR}/SongM.xm DESTINATION ${CMAKE_INSTALL_DATADIR}/lumaro)
install(FILES ${CMAKE_BINARY_DIR}/lumaro.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${LUMARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${LUMARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${LUMARO_ICON_SIZES})
  install(FILES ${ART_DIR}/icons/${size}x${size}/apps/lumaro.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
