ferlan_add_gtest(editor_model_test
    SOURCES editor_model_test.cpp
    LIBS ferlan_editor_model)

ferlan_add_qttest(editor_window_test
    SOURCES editor_window_test.cpp
    LIBS ferlan_editor_ui)
# "Level prüfen" is held against ferlan-tool's solve and trace.
target_compile_definitions(editor_window_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
add_dependencies(editor_window_test ferlan-tool)

# The real editor, driven through an X display with xdotool. Its own range of
# display numbers keeps it clear of other tests' servers started at the same time.
find_program(FERLAN_XVFB_RUN xvfb-run)
find_program(FERLAN_XDOTOOL xdotool)
add_executable(editor_e2e_test editor_e2e_test.cpp x11_driver.cpp)
target_link_libraries(editor_e2e_test PRIVATE Qt6::Gui GTest::gtest GTest::gtest_main)
target_compile_definitions(editor_e2e_test PRIVATE FERLAN_EDITOR_PATH="$<TARGET_FILE:editor>")
add_dependencies(editor_e2e_test editor)
if(FERLAN_XVFB_RUN AND FERLAN_XDOTOOL)
    add_test(NAME editor_e2e_test
             COMMAND ${FERLAN_XVFB_RUN} -a -n 170 -s "-screen 0 1024x768x24"
                     $<TARGET_FILE:editor_e2e_test>)
    set_tests_properties(editor_e2e_test PROPERTIES TIMEOUT 120)
endif()
