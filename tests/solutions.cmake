if(TARGET ferlan_solver)
    # Every built-in level replayed with its stored winning input.
    ferlan_add_gtest(solutions_test
        SOURCES solutions_test.cpp
        LIBS ferlan_solver)
    target_compile_definitions(solutions_test PRIVATE
        FERLAN_SOLUTIONS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/solutions")

    ferlan_add_gtest(solver_test
        SOURCES solver_test.cpp tool_runner.cpp
        LIBS ferlan_solver)
    target_compile_definitions(solver_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
    add_dependencies(solver_test ferlan-tool)

    # The player model that judges whether a person can win a level.
    ferlan_add_gtest(playtest_test
        SOURCES playtest_test.cpp tool_runner.cpp
        LIBS ferlan_solver)
    target_compile_definitions(playtest_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
    add_dependencies(playtest_test ferlan-tool)
endif()
