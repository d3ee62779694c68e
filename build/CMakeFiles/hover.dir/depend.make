# Empty dependencies file for hover.
# This may be replaced when dependencies are built.
