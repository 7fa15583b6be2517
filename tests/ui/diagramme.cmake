# Tests of the chart window.
find_package(Qt6 ${PYRA_MIN_QT} REQUIRED COMPONENTS Charts)
pyra_ui_test(test_ui_diagramme test_diagramme.cpp)
target_link_libraries(test_ui_diagramme PRIVATE pyra_diagramme pyra_platform_printer pyra_stats_store Qt6::Charts)
