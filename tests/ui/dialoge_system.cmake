# Tests of the dialogs of this group.
pyra_ui_test(test_ui_systemdialoge test_systemdialoge.cpp)
