set(  hover_tests_TESTS)
