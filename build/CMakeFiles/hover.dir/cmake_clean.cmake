file(REMOVE_RECURSE
  "CMakeFiles/hover.dir/src/app/main.cpp.o"
  "CMakeFiles/hover.dir/src/app/main.cpp.o.d"
  "game/hover"
  "game/hover.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/hover.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
