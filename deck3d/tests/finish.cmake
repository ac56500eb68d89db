# The rules of the shape page's sizes, without the page.
jm_add_test(tst_deck3drules SOURCES tst_deck3drules.cpp LIBS jm_deck3d_rules)

