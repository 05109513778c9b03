# The card-image library libvexacards.so: a shared module that holds the 65
# card pictures and hands them out by number. The pictures are drawn at build
# time by vexacards_gen and embedded into the module as a picture store.
#
# A second module built from the same pictures, with some of them missing or
# damaged, serves the loader's error tests:
#   ${CMAKE_BINARY_DIR}/tests/cardlibs/faulty/libvexacards.so

set(VEXA_CARDS_SRC ${CMAKE_CURRENT_LIST_DIR})
set(VEXA_PICTURE_DIR ${CMAKE_BINARY_DIR}/cardpictures)

add_executable(vexacards_gen
  ${VEXA_CARDS_SRC}/images/GenerateCardImages.cpp
  ${VEXA_CARDS_SRC}/images/CardFaces.cpp
  ${VEXA_CARDS_SRC}/images/CourtFigures.cpp
  ${VEXA_CARDS_SRC}/images/CardBacks.cpp
  ${VEXA_CARDS_SRC}/images/SuitShapes.cpp
  ${VEXA_CARDS_SRC}/images/ArtText.cpp
  ${VEXA_CARDS_SRC}/images/DibEncoder.cpp
)
target_include_directories(vexacards_gen PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(vexacards_gen PRIVATE Qt6::Gui)
set_target_properties(vexacards_gen PROPERTIES AUTOMOC OFF)

add_custom_command(
  OUTPUT ${VEXA_PICTURE_DIR}/vexacards.bin ${VEXA_PICTURE_DIR}/vexacards-faulty.bin
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:vexacards_gen> ${VEXA_PICTURE_DIR}
  DEPENDS vexacards_gen
  COMMENT "Drawing the card pictures"
  VERBATIM)

set(VEXA_CARD_MODULE_SOURCE ${VEXA_CARDS_SRC}/images/CardImageModule.cpp)
set_source_files_properties(${VEXA_CARD_MODULE_SOURCE} PROPERTIES
  OBJECT_DEPENDS "${VEXA_PICTURE_DIR}/vexacards.bin;${VEXA_PICTURE_DIR}/vexacards-faulty.bin")

# One module: the shared code plus the picture store `store`.
function(vexa_card_module target store outdir)
  add_library(${target} SHARED ${VEXA_CARD_MODULE_SOURCE} ${store})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_definitions(${target} PRIVATE VEXA_PICTURE_STORE="${store}")
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME vexacards
    PREFIX lib
    SUFFIX .so
    NO_SONAME ON
    CXX_VISIBILITY_PRESET hidden
    AUTOMOC OFF
    LIBRARY_OUTPUT_DIRECTORY ${outdir})
endfunction()

vexa_card_module(vexacards ${VEXA_PICTURE_DIR}/vexacards.bin ${CMAKE_BINARY_DIR})
vexa_card_module(vexacards_faulty ${VEXA_PICTURE_DIR}/vexacards-faulty.bin ${CMAKE_BINARY_DIR}/tests/cardlibs/faulty)

install(TARGETS vexacards LIBRARY DESTINATION lib/vexasolit)
