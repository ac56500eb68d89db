# The 3D road through its pages, against the in-process fake host.
jm_add_test(tst_road3d SOURCES tst_road3d.cpp golden.h LIBS jm_testsupport)
target_compile_definitions(tst_road3d PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
