jm_add_test(tst_decksizes SOURCES tst_decksizes.cpp LIBS jm_deck3d_text)
jm_add_test(tst_wiz_3d_1 SOURCES tst_wiz_3d_1.cpp LIBS jm_testsupport)
