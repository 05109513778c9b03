# Tests of the rules subsystem.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/MoveRulesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PickUpAndDropTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AutoplayTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PileActionsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClickDispatchTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomPlayTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardFocusTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverRowBeamTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverSidewaysMovesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RunPlannerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStagedTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStockBeamTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverAgainstFullSearchTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverFoundationSavingsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverTwinFoundationsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverTwoWayFoundationsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverKeyMergesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverFoundationSlidesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverParkedCardsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverBuriedCardsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverRankOnlyKeysTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStuckWastesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverGapLiftsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverGrowingFoundationsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverFoundationWalksTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverOutOfReachTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverLockedCardDivesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverSeenTableTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
)

# Random play runs over the bundled catalogue and the games that exercise
# the rule codes the catalogue does not use.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/RandomPlayTest.cpp PROPERTIES COMPILE_DEFINITIONS
  "VEXA_GAMES_DIR=\"${CMAKE_SOURCE_DIR}/games\";VEXA_RULE_GAMES_DIR=\"${CMAKE_CURRENT_LIST_DIR}/../data/games\"")
