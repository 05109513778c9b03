# Sources of the rules and moves.
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RedealStatus.cpp
)
list(APPEND VEXA_VIEW_SOURCES
)
