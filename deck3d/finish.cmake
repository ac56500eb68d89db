# The text of the 3D road's files: the hand-off files, the deck parameter
# file's lines and the reading back of the hand-off files; and the rules of the
# shape page's sizes. No pages, so their tests need none.
add_library(jm_deck3d_text STATIC
    handoff.h handoff.cpp
    deckparameters.h deckparameters.cpp
    freeformat.h freeformat.cpp
    decksizes.h decksizes.cpp)
target_include_directories(jm_deck3d_text PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(jm_deck3d_text PUBLIC jm_text)

# The finish itself, run by the viewing options page.
target_sources(jm_deck3d PRIVATE finish3d.h finish3d.cpp)
target_link_libraries(jm_deck3d PUBLIC jm_deck3d_text)
