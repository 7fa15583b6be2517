# Dialogs of this group (see form_lotto.h).
target_sources(pyra_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form_lotto_dialoge_system.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_analyse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_kuerzung.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_gewinnerwartung.cpp)
