# Tests of the dialogs subsystem.
list(APPEND VEXA_CORE_TESTS
)
list(APPEND VEXA_VIEW_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/ChooserTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InfoBoxesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VictoryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardBackChooserTest.cpp
)
