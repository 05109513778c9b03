# Sources of the cards subsystem: the card's properties (core); the card
# control, the access to the card-image library and the carry pointer's
# pictures (Qt). The card-image library itself is built by library.cmake.
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CardFace.cpp
)
list(APPEND VEXA_VIEW_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CardLibrary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CursorPictures.cpp
)
# The library's install folder, the second place the program looks for it.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/CardLibrary.cpp PROPERTIES
  COMPILE_DEFINITIONS "VEXA_CARDS_INSTALL_DIR=\"${CMAKE_INSTALL_PREFIX}/lib/vexasolit\"")
