target_link_libraries(report_bench PRIVATE selvaro_report selvaro_db Qt6::Gui)
# Reads the template file and brcvden.rpt from the build's data folder.
foreach(_dep selvaro_template selvaro_data_files)
    if(TARGET ${_dep})
        add_dependencies(report_bench ${_dep})
    endif()
endforeach()
