# Tests of the application shell.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/GameLoaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandKeepingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberedDealTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataFolderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CatalogueTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinnableDealTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinRatesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BundledHelpTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintLineTest.cpp
)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/BundledHelpTest.cpp PROPERTIES COMPILE_DEFINITIONS
  "VEXA_GAMES_DIR=\"${CMAKE_SOURCE_DIR}/games\"")
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ChooseDealTest.cpp PROPERTIES COMPILE_DEFINITIONS
  "VEXA_SOURCE_DIR=\"${CMAKE_SOURCE_DIR}\"")
list(APPEND VEXA_VIEW_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlayWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableViewTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FeedbackWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardFlightsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FlightPlanTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinnableDealDialogTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChooseDealTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CardBackTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefinitionReloadTest.cpp
)
