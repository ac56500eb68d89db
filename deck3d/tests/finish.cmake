# The rules of the 3D road's sizes and files, without pages.
jm_add_test(tst_deck3drules SOURCES tst_deck3drules.cpp golden.h LIBS jm_deck3d_text)
target_compile_definitions(tst_deck3drules PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# The finish over the session bus against the substitute host.
jm_add_test(tst_finish3d_bus SOURCES tst_finish3d_bus.cpp golden.h
    LIBS jm_host_dbus jm_deckhost_process jm_testsupport BUS)
target_compile_definitions(tst_finish3d_bus PRIVATE JM_DECK3D_TESTDATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
