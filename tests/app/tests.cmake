# Tests of the app subsystem.
list(APPEND VEXA_CORE_TESTS
)
list(APPEND VEXA_VIEW_TESTS
)
