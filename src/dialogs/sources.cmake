# Sources of the dialogs subsystem.
list(APPEND VEXA_CORE_SOURCES
)
list(APPEND VEXA_VIEW_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DialogParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TAboutForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm4.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TStatsForm.cpp
)
