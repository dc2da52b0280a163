ferlan_add_qttest(game_window_test
    SOURCES game_window_test.cpp
    LIBS ferlan_game_ui)

ferlan_add_gtest(game_window_parts_test
    SOURCES game_window_parts_test.cpp
    LIBS ferlan_game_ui)

# The real game, started in an X display and played with xdotool.
find_program(FERLAN_XVFB_RUN xvfb-run)
find_program(FERLAN_XDOTOOL xdotool)
find_program(FERLAN_IMPORT import)
add_executable(game_window_e2e_test game_window_e2e_test.cpp x11_driver.cpp)
target_link_libraries(game_window_e2e_test PRIVATE Qt6::Gui GTest::gtest GTest::gtest_main)
target_compile_definitions(game_window_e2e_test PRIVATE FERLAN_GAME_PATH="$<TARGET_FILE:ferlan>")
add_dependencies(game_window_e2e_test ferlan)
if(FERLAN_XVFB_RUN AND FERLAN_XDOTOOL AND FERLAN_IMPORT)
    add_test(NAME game_window_e2e_test
             COMMAND ${FERLAN_XVFB_RUN} -a -s "-noreset -screen 0 800x700x24" $<TARGET_FILE:game_window_e2e_test>)
    set_tests_properties(game_window_e2e_test PROPERTIES TIMEOUT 120)
endif()
