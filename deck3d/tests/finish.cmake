# The rules of the 3D road's sizes and files, without pages.
jm_add_test(tst_deck3drules SOURCES tst_deck3drules.cpp golden.h LIBS jm_deck3d_text)
target_compile_definitions(tst_deck3drules PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

