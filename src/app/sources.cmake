# Sources of the application shell: game loading and new
# hands (core), and the main window (Qt).
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HandKeeping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemClock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GameLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewHand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SimDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefinitionChecker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinRates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinnableDeal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintLine.cpp
)
list(APPEND VEXA_VIEW_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableFocus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardFlights.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FlightPlan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FocusFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RefusedSign.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VexaStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VexaApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintController.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinnableDealDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefinitionWatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefinitionReload.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReloadBar.cpp
)
