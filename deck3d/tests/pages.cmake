jm_add_test(tst_handoff SOURCES tst_handoff.cpp LIBS jm_deck3d_text)
jm_add_test(tst_wiz_3d_1 SOURCES tst_wiz_3d_1.cpp LIBS jm_testsupport)
jm_add_test(tst_wiz_3d_pages SOURCES tst_wiz_3d_pages.cpp LIBS jm_testsupport)
