# Tests of the defs subsystem.
list(APPEND VEXA_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/DefinitionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostileIniTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueTextTest.cpp
)
list(APPEND VEXA_VIEW_TESTS
)
