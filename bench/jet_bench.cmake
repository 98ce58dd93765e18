target_link_libraries(jet_bench PRIVATE selvaro_db SQLite::SQLite3 Qt6::Core)
