target_sources(jm_deck3d PRIVATE
    wiz_3d_1.h wiz_3d_1.cpp
    wiz_3d_post.h wiz_3d_post.cpp
    wiz_3d_2.h wiz_3d_2.cpp
    shading.h shading.cpp)
