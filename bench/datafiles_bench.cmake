target_link_libraries(datafiles_bench PRIVATE selvaro_datafiles)
if(TARGET selvaro_template)
    add_dependencies(datafiles_bench selvaro_template)
endif()
