# Sources of the state every subsystem shares: the session, the error type
# and the interfaces to the world around the game core.
list(APPEND VEXA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Session.cpp
)
