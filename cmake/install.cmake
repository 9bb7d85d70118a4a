# `cmake --install BUILD [--prefix PREFIX]`: the program, its music where it looks for it
# (PREFIX/share/lumaro beside PREFIX/bin), a desktop entry and the icon our art generator
# draws. scripts/uninstall.sh takes them away again, by the list the install writes.
include(GNUInstallDirs)
install(TARGETS lumaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/SongM.xm DESTINATION ${CMAKE_INSTALL_DATADIR}/lumaro)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lumaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ART_DIR}/lumaro.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
