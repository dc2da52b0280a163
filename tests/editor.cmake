ferlan_add_gtest(editor_model_test
    SOURCES editor_model_test.cpp
    LIBS ferlan_editor_model)
