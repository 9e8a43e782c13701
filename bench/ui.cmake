# The main window through its real dialog (an up-down step to the next frame, and an arrow
# held for ten seconds), and the built program's cold start and memory, seen from outside.
if(LAPIDO_GUI) # needs the window modules
    lapido_bench(ui SOURCES ${CMAKE_CURRENT_LIST_DIR}/UiBench.cpp LIBS ui view res platform
                 platform_testing)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    target_link_libraries(bench_ui PRIVATE Qt6::Test Qt6::Widgets)
    if(TARGET lapido)
        find_package(X11 REQUIRED)
        lapido_bench(startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp LIBS Qt6::Core X11::X11)
        # The floor it is read against; not a bench_ program, so the runner leaves it alone.
        add_executable(startup_floor ${CMAKE_CURRENT_LIST_DIR}/StartupFloor.cpp)
        target_link_libraries(startup_floor PRIVATE Qt6::Widgets Qt6::Gui)
        lapido_target_options(startup_floor)
        set_target_properties(startup_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
        add_dependencies(bench_startup lapido startup_floor)
        target_compile_definitions(bench_startup PRIVATE LAPIDO_EXECUTABLE="$<TARGET_FILE:lapido>"
            FLOOR_EXECUTABLE="$<TARGET_FILE:startup_floor>")
    endif()
endif()
