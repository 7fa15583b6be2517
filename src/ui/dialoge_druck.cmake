# Dialogs of this group (see form_lotto.h).
target_sources(pyra_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form_lotto_dialoge_druck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_druckeinstellung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_druck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_ascii.cpp)
# The print and text-export logic over the data module, and the Qt printer adapter.
target_link_libraries(pyra_ui PRIVATE pyra_output_store pyra_platform_printer)
