# The rules of the shape page's sizes: no pages, so their tests need none.
add_library(jm_deck3d_rules STATIC decksizes.h decksizes.cpp)
target_include_directories(jm_deck3d_rules PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(jm_deck3d_rules PUBLIC jm_text)

# The finish itself, run by the viewing options page; the files go through deckfile/.
target_sources(jm_deck3d PRIVATE finish3d.cpp)
target_link_libraries(jm_deck3d PUBLIC jm_deck3d_rules jm_deckfile)
