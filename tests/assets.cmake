# The pictures as both programs load them from the resources.
ferlan_add_qttest(assets_test
    SOURCES assets_test.cpp
    LIBS ferlan_common)

# The committed PNGs are what the generator draws today: rerunning it changes
# no file.
add_test(NAME make_assets_reproducible COMMAND make-assets --check ${PROJECT_SOURCE_DIR})
set_tests_properties(make_assets_reproducible PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
