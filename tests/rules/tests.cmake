# Tests of the rules subsystem.
list(APPEND VEXA_CORE_TESTS
)
list(APPEND VEXA_VIEW_TESTS
)
