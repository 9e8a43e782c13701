if(LAPIDO_GUI) # needs the window modules
    lapido_bench(view SOURCES ${CMAKE_CURRENT_LIST_DIR}/ViewBench.cpp LIBS view platform lapido_test_support)
endif()
