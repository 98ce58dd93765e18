target_link_libraries(grid_bench PRIVATE selvaro_ui Qt6::Widgets)
if(TARGET selvaro_template)
    add_dependencies(grid_bench selvaro_template)
endif()
