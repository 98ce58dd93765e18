target_link_libraries(replication_bench PRIVATE selvaro_datafiles)
if(TARGET selvaro_template)
    add_dependencies(replication_bench selvaro_template)
endif()
