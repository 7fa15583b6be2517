# Tests of the dialogs of this group.
pyra_ui_test(test_ui_druck test_druck.cpp)
target_link_libraries(test_ui_druck PRIVATE pyra_platform_printer pyra_output_store)
