target_link_libraries(db_bench PRIVATE selvaro_db selvaro_db_pg SQLite::SQLite3 Qt6::Core)
