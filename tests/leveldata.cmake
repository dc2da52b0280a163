ferlan_add_gtest(leveldata_test
    SOURCES leveldata_test.cpp builtin_levels_test.cpp
    LIBS leveldata)
