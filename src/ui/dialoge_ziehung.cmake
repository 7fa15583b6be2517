# Dialogs of this group (see form_lotto.h).
target_sources(pyra_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/form_lotto_dialoge_ziehung.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/form_ziehung.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/form_zahlentipp.cpp)
