if(LAPIDO_GUI) # needs the window modules
    lapido_bench(labels SOURCES ${CMAKE_CURRENT_LIST_DIR}/Labels.cpp LIBS view platform lapido_test_support)
endif()
