# The pictures as both programs load them from the resources.
ferlan_add_qttest(assets_test
    SOURCES assets_test.cpp
    LIBS ferlan_common)

# The committed PNGs are what the generator draws today: rerunning it changes
# no file.
add_test(NAME make_assets_reproducible COMMAND make-assets --check ${PROJECT_SOURCE_DIR})
set_tests_properties(make_assets_reproducible PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The comparison that tells rounding from a changed drawing, and the generator
# that relies on it.
ferlan_add_gtest(picture_compare_test
    SOURCES picture_compare_test.cpp
    LIBS picture_compare)
target_compile_definitions(picture_compare_test PRIVATE
    FERLAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    FERLAN_MAKE_ASSETS="$<TARGET_FILE:make-assets>")
add_dependencies(picture_compare_test make-assets)
