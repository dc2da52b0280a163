# Every built-in level replayed with its stored winning input.
ferlan_add_gtest(solutions_test
    SOURCES solutions_test.cpp
    LIBS ferlan_solver)
target_compile_definitions(solutions_test PRIVATE
    FERLAN_SOLUTIONS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/solutions")

ferlan_add_gtest(solver_test
    SOURCES solver_test.cpp
    LIBS ferlan_solver)

# The player model that judges whether a person can win a level.
ferlan_add_gtest(playtest_test
    SOURCES playtest_test.cpp tool_runner.cpp
    LIBS ferlan_solver)
target_compile_definitions(playtest_test PRIVATE FERLAN_TOOL_PATH="$<TARGET_FILE:ferlan-tool>")
add_dependencies(playtest_test ferlan-tool)

# Each built-in level won often enough by the player model. Under the
# sanitizers the 600 attempts take too long; the smoke test above covers
# the model there.
if(NOT FERLAN_SANITIZE)
    ferlan_add_gtest(fair_levels_test
        SOURCES fair_levels_test.cpp
        LIBS ferlan_solver)
endif()
