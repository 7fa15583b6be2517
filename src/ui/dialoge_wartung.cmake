# Dialogs of this group (see form_lotto.h).
target_sources(pyra_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form_lotto_dialoge_wartung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_zahlen_quoten_einlesen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_export.cpp)
# The import reads workbooks through the platform's cell reader; export and update are in the
# maintenance library.
target_link_libraries(pyra_ui PRIVATE pyra_maintenance pyra_platform_sheet)
