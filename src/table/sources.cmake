# Sources of the table model: piles and cards, pile layout, shuffle and deal
# (core), and the pile widget (Qt).
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PileLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Deal.cpp
)
list(APPEND VEXA_VIEW_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PileWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FeltPainting.cpp
)
