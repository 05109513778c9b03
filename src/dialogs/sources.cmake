# Sources of the dialogs subsystem.
list(APPEND VEXA_CORE_SOURCES
)
list(APPEND VEXA_VIEW_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DialogParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClickToCloseDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GameChooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VictoryDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HowToPlayWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatisticsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DealNumberDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardBackChooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindingsDialog.cpp
)
