ferlan_add_gtest(editor_model_test
    SOURCES editor_model_test.cpp
    LIBS ferlan_editor_model)

ferlan_add_qttest(editor_window_test
    SOURCES editor_window_test.cpp
    LIBS ferlan_editor_ui)
