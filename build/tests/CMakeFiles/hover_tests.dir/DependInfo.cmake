
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/TestMain.cpp" "tests/CMakeFiles/hover_tests.dir/TestMain.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/TestMain.cpp.o.d"
  "/work/main/tests/app/CommandLineTest.cpp" "tests/CMakeFiles/hover_tests.dir/app/CommandLineTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/app/CommandLineTest.cpp.o.d"
  "/work/main/tests/app/StartUpTest.cpp" "tests/CMakeFiles/hover_tests.dir/app/StartUpTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/app/StartUpTest.cpp.o.d"
  "/work/main/tests/control/AiControllerTest.cpp" "tests/CMakeFiles/hover_tests.dir/control/AiControllerTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/control/AiControllerTest.cpp.o.d"
  "/work/main/tests/control/AiWaypointTest.cpp" "tests/CMakeFiles/hover_tests.dir/control/AiWaypointTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/control/AiWaypointTest.cpp.o.d"
  "/work/main/tests/control/KeyboardControllerTest.cpp" "tests/CMakeFiles/hover_tests.dir/control/KeyboardControllerTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/control/KeyboardControllerTest.cpp.o.d"
  "/work/main/tests/craft/HoverCraftAppearanceTest.cpp" "tests/CMakeFiles/hover_tests.dir/craft/HoverCraftAppearanceTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/craft/HoverCraftAppearanceTest.cpp.o.d"
  "/work/main/tests/craft/HoverCraftCollisionTest.cpp" "tests/CMakeFiles/hover_tests.dir/craft/HoverCraftCollisionTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/craft/HoverCraftCollisionTest.cpp.o.d"
  "/work/main/tests/craft/HoverCraftTest.cpp" "tests/CMakeFiles/hover_tests.dir/craft/HoverCraftTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/craft/HoverCraftTest.cpp.o.d"
  "/work/main/tests/editor/EditorCursorTest.cpp" "tests/CMakeFiles/hover_tests.dir/editor/EditorCursorTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/editor/EditorCursorTest.cpp.o.d"
  "/work/main/tests/math/VectorTest.cpp" "tests/CMakeFiles/hover_tests.dir/math/VectorTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/math/VectorTest.cpp.o.d"
  "/work/main/tests/objects/CheckPointTest.cpp" "tests/CMakeFiles/hover_tests.dir/objects/CheckPointTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/objects/CheckPointTest.cpp.o.d"
  "/work/main/tests/objects/GameObjectTest.cpp" "tests/CMakeFiles/hover_tests.dir/objects/GameObjectTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/objects/GameObjectTest.cpp.o.d"
  "/work/main/tests/objects/PowerupTest.cpp" "tests/CMakeFiles/hover_tests.dir/objects/PowerupTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/objects/PowerupTest.cpp.o.d"
  "/work/main/tests/objects/StaticObjectTest.cpp" "tests/CMakeFiles/hover_tests.dir/objects/StaticObjectTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/objects/StaticObjectTest.cpp.o.d"
  "/work/main/tests/objects/WakeTest.cpp" "tests/CMakeFiles/hover_tests.dir/objects/WakeTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/objects/WakeTest.cpp.o.d"
  "/work/main/tests/terrain/TerrainTest.cpp" "tests/CMakeFiles/hover_tests.dir/terrain/TerrainTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/terrain/TerrainTest.cpp.o.d"
  "/work/main/tests/tools/ContentTest.cpp" "tests/CMakeFiles/hover_tests.dir/tools/ContentTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/tools/ContentTest.cpp.o.d"
  "/work/main/tests/track/TrackCheckTest.cpp" "tests/CMakeFiles/hover_tests.dir/track/TrackCheckTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/track/TrackCheckTest.cpp.o.d"
  "/work/main/tests/track/TrackFileTest.cpp" "tests/CMakeFiles/hover_tests.dir/track/TrackFileTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/track/TrackFileTest.cpp.o.d"
  "/work/main/tests/world/FrameTimerTest.cpp" "tests/CMakeFiles/hover_tests.dir/world/FrameTimerTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/world/FrameTimerTest.cpp.o.d"
  "/work/main/tests/world/RaceCheckTest.cpp" "tests/CMakeFiles/hover_tests.dir/world/RaceCheckTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/world/RaceCheckTest.cpp.o.d"
  "/work/main/tests/world/SoakTest.cpp" "tests/CMakeFiles/hover_tests.dir/world/SoakTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/world/SoakTest.cpp.o.d"
  "/work/main/tests/world/WorldTest.cpp" "tests/CMakeFiles/hover_tests.dir/world/WorldTest.cpp.o" "gcc" "tests/CMakeFiles/hover_tests.dir/world/WorldTest.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/CMakeFiles/hovercore.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
