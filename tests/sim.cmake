ferlan_add_gtest(sim_test
    SOURCES tick_test.cpp build_field_test.cpp play_test.cpp session_test.cpp
        best_times_test.cpp
    LIBS ferlan_sim)

# ferlan-tool run as a user runs it.
ferlan_add_gtest(ferlan_tool_test
    SOURCES ferlan_tool_test.cpp tool_runner.cpp
    LIBS ferlan_sim)
target_compile_definitions(ferlan_tool_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
add_dependencies(ferlan_tool_test ferlan-tool)
