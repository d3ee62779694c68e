# Empty dependencies file for hovercore.
# This may be replaced when dependencies are built.
