ferlan_add_gtest(soak_test SOURCES soak_test.cpp LIBS ferlan_sim)

# Writers killed at random moments leave a whole file behind.
ferlan_add_gtest(atomic_write_test SOURCES atomic_write_test.cpp LIBS ferlan_game_ui)

# Broken, odd and hostile level and progress files on the game's paths.
ferlan_add_qttest(bad_input_test SOURCES bad_input_test.cpp LIBS ferlan_game_ui)
