file(REMOVE_RECURSE
  "../game/data.dat"
  "../game/tracks.dat"
  "../game/tracks/track1.txt"
  "../game/tracks/track2.txt"
  "../game/tracks/track3.txt"
  "CMakeFiles/game_content"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/game_content.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
