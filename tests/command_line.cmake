# The command lines of the three programs, run as the user runs them, and the
# windows' file arguments.
ferlan_add_qttest(command_line_test
    SOURCES command_line_test.cpp
    LIBS ferlan_game_ui ferlan_editor_ui)
target_compile_definitions(command_line_test PRIVATE
    FERLAN_GAME_PATH="$<TARGET_FILE:ferlan>"
    FERLAN_EDITOR_PATH="$<TARGET_FILE:editor>"
    FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>"
    FERLAN_VERSION="${PROJECT_VERSION}")
add_dependencies(command_line_test ferlan editor ferlan-tool)

# An installation into a scratch folder, checked as a desktop would see it.
add_test(NAME install_test
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
                 ${FERLAN_DATA_DIR_FROM_PROGRAM})
