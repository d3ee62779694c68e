# Empty custom commands generated dependencies file for game_content.
# This may be replaced when dependencies are built.
