# Tests of the rules subsystem.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/MoveRulesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PickUpAndDropTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AutoplayTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
)
