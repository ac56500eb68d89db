# The deck parameter file's lines and the reading of the hand-off files: text
# only, so their tests need no pages.
add_library(jm_deck3d_text STATIC
    deckparameters.h deckparameters.cpp
    freeformat.h freeformat.cpp)
target_include_directories(jm_deck3d_text PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(jm_deck3d_text PUBLIC jm_text)

# The finish itself, run by the viewing options page.
target_sources(jm_deck3d PRIVATE finish3d.h finish3d.cpp)
target_link_libraries(jm_deck3d PUBLIC jm_deck3d_text)
