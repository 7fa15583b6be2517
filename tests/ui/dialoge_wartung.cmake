# Tests of the dialogs of this group.
pyra_ui_test(test_ui_wartung test_wartung.cpp)
target_compile_definitions(test_ui_wartung PRIVATE PYRA_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
