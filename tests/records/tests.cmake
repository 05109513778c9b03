# Tests of the records subsystem.
list(APPEND VEXA_CORE_TESTS
)
list(APPEND VEXA_VIEW_TESTS
)
