
# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/game_content.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
