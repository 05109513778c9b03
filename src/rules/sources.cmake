# Sources of the rules and moves.
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RedealStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MoveRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lifting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PickUpAndDrop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PileActions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClickDispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Peek.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Autoplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardFocus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScratchTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Solver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverMoves.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverOrdering.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverPositions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStockCycles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverSafeMoves.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverDeferredPlays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverInterchangeablePiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverFoundationWalks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverLockedCards.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverTwinFoundations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverNoisyDives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverBuriedCards.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverTableFilters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStaged.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverRankOnlyKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverWasteOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverGrowingFoundations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStageSizes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverWasteDepth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverStuckWastes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverRunOrderings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolverGapLifts.cpp
)
list(APPEND VEXA_VIEW_SOURCES
)
