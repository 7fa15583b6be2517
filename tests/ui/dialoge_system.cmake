# Tests of the dialogs of this group.
pyra_ui_test(test_ui_systemdialoge test_systemdialoge.cpp)
pyra_ui_test(test_ui_garantiesystem test_garantiesystem.cpp)
