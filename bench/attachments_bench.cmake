target_link_libraries(attachments_bench PRIVATE selvaro_datafiles)
if(TARGET selvaro_template)
    add_dependencies(attachments_bench selvaro_template)
endif()
