if(TARGET ferlan_sim)
    ferlan_add_gtest(sim_test
        SOURCES tick_test.cpp build_field_test.cpp sim_test_fields.cpp play_test.cpp
        LIBS ferlan_sim)

    ferlan_add_gtest(play_command_test
        SOURCES play_command_test.cpp tool_runner.cpp
        LIBS ferlan_sim)
    target_compile_definitions(play_command_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
    add_dependencies(play_command_test ferlan-tool)
endif()
