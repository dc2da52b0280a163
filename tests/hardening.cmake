if(TARGET ferlan_sim)
    ferlan_add_gtest(soak_test SOURCES soak_test.cpp LIBS ferlan_sim)
endif()

# Writers killed at random moments leave whole files and no temporaries.
ferlan_add_gtest(atomic_write_test SOURCES atomic_write_test.cpp LIBS ferlan_game_ui)
