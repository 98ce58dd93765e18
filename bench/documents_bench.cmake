target_link_libraries(documents_bench PRIVATE selvaro_documents Qt6::Gui SQLite::SQLite3)
