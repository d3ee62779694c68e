# Empty dependencies file for hover_tests.
# This may be replaced when dependencies are built.
