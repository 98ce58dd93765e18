target_link_libraries(export_bench PRIVATE selvaro_export SQLite::SQLite3)
