if(TARGET ferlan_solver)
    # Every built-in level replayed with its stored winning input.
    ferlan_add_gtest(solutions_test
        SOURCES solutions_test.cpp
        LIBS ferlan_solver)
    target_compile_definitions(solutions_test PRIVATE
        FERLAN_SOLUTIONS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/solutions")

    ferlan_add_gtest(solver_test
        SOURCES solver_test.cpp
        LIBS ferlan_solver)
endif()
