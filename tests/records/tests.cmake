# Tests of the records subsystem.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/UndoJournalTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
)
