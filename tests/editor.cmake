ferlan_add_gtest(editor_model_test
    SOURCES editor_model_test.cpp
    LIBS ferlan_editor_model)

ferlan_add_qttest(editor_window_test
    SOURCES editor_window_test.cpp tool_runner.cpp
    LIBS ferlan_editor_ui)
# "Level prüfen" is held against ferlan-tool's solve and trace.
target_compile_definitions(editor_window_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
add_dependencies(editor_window_test ferlan-tool)

# The real editor, driven as a person would.
ferlan_add_x11_test(editor_e2e_test
    SOURCES editor_e2e_test.cpp
    PROGRAM editor PROGRAM_PATH_DEFINE FERLAN_EDITOR_PATH
    SCREEN 1024x768x24 FIRST_DISPLAY 170)
# "Testspielen" starts the game beside the editor.
target_compile_definitions(editor_e2e_test PRIVATE FERLAN_GAME_PATH="$<TARGET_FILE:ferlan>")
add_dependencies(editor_e2e_test ferlan)
