ferlan_add_gtest(leveldata_test
    SOURCES leveldata_test.cpp builtin_levels_test.cpp
    LIBS leveldata)

ferlan_add_gtest(ferlan_tool_test
    SOURCES ferlan_tool_test.cpp tool_runner.cpp
    LIBS leveldata)
target_compile_definitions(ferlan_tool_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
add_dependencies(ferlan_tool_test ferlan-tool)
