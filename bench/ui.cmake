# The main window through its real dialog (an up-down step to the next frame, and an arrow
# held for ten seconds), and the built program's cold start and memory, seen from outside.
if(LAPIDO_GUI) # needs the window modules
    lapido_bench(ui SOURCES ${CMAKE_CURRENT_LIST_DIR}/UiBench.cpp LIBS ui view res platform)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    target_link_libraries(bench_ui PRIVATE Qt6::Test)
    if(TARGET lapido)
        find_package(X11 REQUIRED)
        lapido_bench(startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp LIBS Qt6::Core X11::X11)
        add_dependencies(bench_startup lapido)
        target_compile_definitions(bench_startup PRIVATE LAPIDO_EXECUTABLE="$<TARGET_FILE:lapido>")
    endif()
endif()
