# `cmake --install BUILD [--prefix PREFIX]`: the program (stripped), its music where it looks
# for it (PREFIX/share/lumaro beside PREFIX/bin), a desktop entry and the icon our art
# generator draws. scripts/uninstall.sh takes them away again, by the list the install writes.
include(GNUInstallDirs)
set(LUMARO_INSTALL_DIRS ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR}/lumaro ${CMAKE_INSTALL_DATADIR}/applications
                        ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps ${CMAKE_INSTALL_DOCDIR})

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
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lumaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ART_DIR}/lumaro.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
