target_sources(jm_deck3d PRIVATE
    finish3d.h finish3d.cpp)
