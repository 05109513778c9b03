# Tools for looking at what the program draws; not built by default.
#
# vexacards_sheet: every picture of the card-image library through the card
# control, at table size, at double size and at 2.5 times, and the faces
# fanned downwards and to the right: `cmake --build . --target
# vexacards_sheet` and run `vexacards_sheet OUTDIR`.
add_executable(vexacards_sheet EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/ContactSheet.cpp)
target_link_libraries(vexacards_sheet PRIVATE vexaview)
add_dependencies(vexacards_sheet vexacards)
