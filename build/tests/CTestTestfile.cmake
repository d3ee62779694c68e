# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/tests/hover_tests[1]_include.cmake")
add_test(game.damaged_content "bash" "/work/main/tests/game/damaged_content.sh" "/work/main/build/game")
set_tests_properties(game.damaged_content PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(game.editor "bash" "/work/main/tests/game/editor.sh" "/work/main/build/game")
set_tests_properties(game.editor PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(game.no_display "bash" "/work/main/tests/game/no_display.sh" "/work/main/build/game")
set_tests_properties(game.no_display PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(game.race_track1 "bash" "/work/main/tests/game/race_track1.sh" "/work/main/build/game")
set_tests_properties(game.race_track1 PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(game.race_track2 "bash" "/work/main/tests/game/race_track2.sh" "/work/main/build/game")
set_tests_properties(game.race_track2 PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(game.race_track3 "bash" "/work/main/tests/game/race_track3.sh" "/work/main/build/game")
set_tests_properties(game.race_track3 PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test(game.sound "bash" "/work/main/tests/game/sound.sh" "/work/main/build/game")
set_tests_properties(game.sound PROPERTIES  ENVIRONMENT "HOVER_SOURCE_DIR=/work/main" RUN_SERIAL "TRUE" TIMEOUT "300" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;18;add_test;/work/main/tests/CMakeLists.txt;0;")
