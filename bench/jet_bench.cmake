target_link_libraries(jet_bench PRIVATE selvaro_jetsql SQLite::SQLite3 Qt6::Core)
