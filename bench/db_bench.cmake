target_link_libraries(db_bench PRIVATE selvaro_db SQLite::SQLite3 Qt6::Core)
