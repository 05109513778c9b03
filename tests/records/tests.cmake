# Tests of the records subsystem.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/CatalogueCrashTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GameButtonsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RedoTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScoreTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoJournalTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
)
