# Sources of the defs subsystem.
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Definition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueText.cpp
)
list(APPEND VEXA_VIEW_SOURCES
)
