target_link_libraries(register_book_bench PRIVATE selvaro_letters SQLite::SQLite3)
# Reads the template file and the book reports from the build's data folder.
foreach(_dep selvaro_template selvaro_data_files)
    if(TARGET ${_dep})
        add_dependencies(register_book_bench ${_dep})
    endif()
endforeach()
