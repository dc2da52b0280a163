if(TARGET ferlan_solver)
    ferlan_add_gtest(solver_test
        SOURCES solver_test.cpp tool_runner.cpp
        LIBS ferlan_solver)
    target_compile_definitions(solver_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
    add_dependencies(solver_test ferlan-tool)
endif()
