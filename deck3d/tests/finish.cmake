# The deck parameter file and the read-back of the hand-off files, as text.
jm_add_test(tst_deckfiles SOURCES tst_deckfiles.cpp golden.h LIBS jm_deck3d_text)
target_compile_definitions(tst_deckfiles PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# The whole 3D road through its pages, against the in-process fake host.
jm_add_test(tst_road3d SOURCES tst_road3d.cpp golden.h LIBS jm_testsupport)
target_compile_definitions(tst_road3d PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# The finish over the session bus against the substitute host.
jm_add_test(tst_finish3d_bus SOURCES tst_finish3d_bus.cpp golden.h
    LIBS jm_host_dbus jm_deckhost_process jm_testsupport BUS)
target_compile_definitions(tst_finish3d_bus PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
