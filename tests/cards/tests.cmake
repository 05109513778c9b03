# Tests of the cards subsystem.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/CardFaceTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/CardLibraryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardSizesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardBacksTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibDecoderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardWidgetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CursorPicturesTest.cpp
)

# The damaged card-image library built by src/cards/library.cmake.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/CardLibraryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardSizesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardWidgetTest.cpp
  PROPERTIES COMPILE_DEFINITIONS "VEXA_FAULTY_CARDS_DIR=\"${CMAKE_BINARY_DIR}/tests/cardlibs/faulty\"")
