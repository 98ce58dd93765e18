# cmake -DFILES="a;b" -P check_no_widgets.cmake: fails when one of the binaries needs Qt Widgets
# or Qt Gui (the tests of the layers without windows must run without them).
foreach(file IN LISTS FILES)
    execute_process(COMMAND readelf -d ${file} OUTPUT_VARIABLE _dynamic RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "cannot read ${file}")
    endif()
    if(_dynamic MATCHES "libQt6(Widgets|Gui)")
        message(FATAL_ERROR "${file} links ${CMAKE_MATCH_0}")
    endif()
endforeach()
