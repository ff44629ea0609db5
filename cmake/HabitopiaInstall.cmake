# cmake --install: the programs in bin, the files they read at run time in
# share/habitopia, and the desktop entry, icon and model file type where the
# desktop looks for them.
include(GNUInstallDirs)
set(HABITOPIA_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/habitopia)

install(TARGETS habitopia-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET habitopia)
  install(TARGETS habitopia RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${PROJECT_BINARY_DIR}/viewer/ DESTINATION ${HABITOPIA_SHARE_DIR}/viewer
          PATTERN ".copied" EXCLUDE)
endif()
if(TARGET habitopia_web_viewer)
  install(DIRECTORY ${PROJECT_BINARY_DIR}/web-viewer/ DESTINATION ${HABITOPIA_SHARE_DIR}/web-viewer
          PATTERN ".copied" EXCLUDE)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${HABITOPIA_SHARE_DIR}/examples)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${HABITOPIA_SHARE_DIR}/help)
install(FILES ${PROJECT_SOURCE_DIR}/data/habitopia.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/habitopia.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/habitopia-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
