if(TARGET ferlan_sim)
    ferlan_add_gtest(soak_test SOURCES soak_test.cpp LIBS ferlan_sim)
endif()
