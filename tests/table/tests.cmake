# Tests of the table model.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/TableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PileLayoutTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DealTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
)
