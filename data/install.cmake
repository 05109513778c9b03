# What `cmake --install` puts under CMAKE_INSTALL_PREFIX, and the Debian
# package CPack makes of it:
#   bin/vexasolit                          the program
#   lib/vexasolit/libvexacards.so          the card module (src/cards/library.cmake)
#   share/vexasolit/games/                 the bundled games, seeded into
#                                          each player's data folder
#   share/applications, share/metainfo     the menu entry and its description
#   share/icons/hicolor/                   the icon at the theme sizes and as SVG

set(VEXA_APP_ID org.vexasolit.VexaSolitaire)
set(VEXA_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

add_executable(vexa_icon ${CMAKE_SOURCE_DIR}/src/cards/images/DrawIcon.cpp
                         ${CMAKE_SOURCE_DIR}/src/cards/images/SuitShapes.cpp)
target_include_directories(vexa_icon PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(vexa_icon PRIVATE Qt6::Gui)
set_target_properties(vexa_icon PROPERTIES AUTOMOC OFF)
add_custom_command(
  OUTPUT ${VEXA_ICON_DIR}/scalable/apps/vexasolit.svg
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VEXA_ICON_DIR}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:vexa_icon> ${VEXA_ICON_DIR}
  DEPENDS vexa_icon
  COMMENT "Drawing the application icon"
  VERBATIM)
add_custom_target(vexa_icons ALL DEPENDS ${VEXA_ICON_DIR}/scalable/apps/vexasolit.svg)

install(TARGETS vexasolit RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/games/ DESTINATION share/vexasolit/games FILES_MATCHING PATTERN "*.ini")
install(FILES ${CMAKE_SOURCE_DIR}/data/${VEXA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/${VEXA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${VEXA_ICON_DIR}/ DESTINATION share/icons/hicolor FILES_MATCHING
        REGEX "/apps/vexasolit\\.(png|svg)$")

# The Debian package. Its library dependencies come from dpkg-shlibdeps;
# the platform plugins that show a window and the fonts the dialogs name are
# only recommended by the Qt libraries, so they are declared here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexasolit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vexa Solitaire team")
set(CPACK_PACKAGE_CONTACT "Vexa Solitaire team <vexasolit@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compendium of solitaire card games")
set(CPACK_PACKAGE_DESCRIPTION "Vexa Solitaire is a quiet card table with many patience games, each\ndescribed in a small text file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation | fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
