target_link_libraries(due_letters_bench PRIVATE selvaro_app_core SQLite::SQLite3)
# Reads the template file from the build's data folder.
if(TARGET selvaro_template)
    add_dependencies(due_letters_bench selvaro_template)
endif()
