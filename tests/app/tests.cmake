# Tests of the application shell.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/GameLoaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataFolderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CatalogueTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinnableDealTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintLineTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlayWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FeedbackWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinnableDealDialogTest.cpp
)
