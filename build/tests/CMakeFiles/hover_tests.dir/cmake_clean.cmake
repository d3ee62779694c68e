file(REMOVE_RECURSE
  "CMakeFiles/hover_tests.dir/TestMain.cpp.o"
  "CMakeFiles/hover_tests.dir/TestMain.cpp.o.d"
  "hover_tests"
  "hover_tests.pdb"
  "hover_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/hover_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
