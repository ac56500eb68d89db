# The deck parameter file and the hand-off files, as text.
jm_add_test(tst_deckparameters SOURCES tst_deckparameters.cpp golden.h LIBS jm_deck3d_text)
target_compile_definitions(tst_deckparameters PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
jm_add_test(tst_freeformat SOURCES tst_freeformat.cpp LIBS jm_deck3d_text)

# The finish on the viewing options page, against the in-process fake host.
jm_add_test(tst_finish3d SOURCES tst_finish3d.cpp golden.h LIBS jm_testsupport)
target_compile_definitions(tst_finish3d PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

