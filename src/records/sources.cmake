# Sources of the records: undo journal, scoring and victory, statistics.
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/KeptHand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoJournal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GameButtons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Score.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Statistics.cpp
)
list(APPEND VEXA_VIEW_SOURCES
)
