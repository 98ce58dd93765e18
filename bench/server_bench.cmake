target_link_libraries(server_bench PRIVATE selvaro_db_pg selvaro_db Qt6::Core)
