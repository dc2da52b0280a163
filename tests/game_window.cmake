ferlan_add_qttest(game_window_test
    SOURCES game_window_test.cpp
    LIBS ferlan_game_ui picture_compare)

ferlan_add_gtest(game_window_parts_test
    SOURCES game_window_parts_test.cpp
    LIBS ferlan_game_ui)

# The real game, started on an X display and played as a person would; its
# pictures are compared through screenshots taken with ImageMagick's import.
find_program(FERLAN_IMPORT import)
ferlan_add_x11_test(game_window_e2e_test
    SOURCES game_window_e2e_test.cpp
    PROGRAM ferlan PROGRAM_PATH_DEFINE FERLAN_GAME_PATH
    SCREEN 800x700x24 FIRST_DISPLAY 99
    NEEDS FERLAN_IMPORT)
target_link_libraries(game_window_e2e_test PRIVATE picture_compare)
