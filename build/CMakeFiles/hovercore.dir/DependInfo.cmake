
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/app/CommandLine.cpp" "CMakeFiles/hovercore.dir/src/app/CommandLine.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/app/CommandLine.cpp.o.d"
  "/work/main/src/app/Game.cpp" "CMakeFiles/hovercore.dir/src/app/Game.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/app/Game.cpp.o.d"
  "/work/main/src/app/Menus.cpp" "CMakeFiles/hovercore.dir/src/app/Menus.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/app/Menus.cpp.o.d"
  "/work/main/src/app/Texts.cpp" "CMakeFiles/hovercore.dir/src/app/Texts.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/app/Texts.cpp.o.d"
  "/work/main/src/control/AiController.cpp" "CMakeFiles/hovercore.dir/src/control/AiController.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/control/AiController.cpp.o.d"
  "/work/main/src/control/AiWaypoint.cpp" "CMakeFiles/hovercore.dir/src/control/AiWaypoint.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/control/AiWaypoint.cpp.o.d"
  "/work/main/src/control/KeyboardController.cpp" "CMakeFiles/hovercore.dir/src/control/KeyboardController.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/control/KeyboardController.cpp.o.d"
  "/work/main/src/craft/HoverCraft.cpp" "CMakeFiles/hovercore.dir/src/craft/HoverCraft.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/craft/HoverCraft.cpp.o.d"
  "/work/main/src/editor/EditorCursor.cpp" "CMakeFiles/hovercore.dir/src/editor/EditorCursor.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/editor/EditorCursor.cpp.o.d"
  "/work/main/src/objects/CheckPoint.cpp" "CMakeFiles/hovercore.dir/src/objects/CheckPoint.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/objects/CheckPoint.cpp.o.d"
  "/work/main/src/objects/GameObject.cpp" "CMakeFiles/hovercore.dir/src/objects/GameObject.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/objects/GameObject.cpp.o.d"
  "/work/main/src/objects/Powerup.cpp" "CMakeFiles/hovercore.dir/src/objects/Powerup.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/objects/Powerup.cpp.o.d"
  "/work/main/src/objects/StaticObject.cpp" "CMakeFiles/hovercore.dir/src/objects/StaticObject.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/objects/StaticObject.cpp.o.d"
  "/work/main/src/objects/Wake.cpp" "CMakeFiles/hovercore.dir/src/objects/Wake.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/objects/Wake.cpp.o.d"
  "/work/main/src/terrain/Terrain.cpp" "CMakeFiles/hovercore.dir/src/terrain/Terrain.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/terrain/Terrain.cpp.o.d"
  "/work/main/src/track/TrackCheck.cpp" "CMakeFiles/hovercore.dir/src/track/TrackCheck.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/track/TrackCheck.cpp.o.d"
  "/work/main/src/track/TrackFile.cpp" "CMakeFiles/hovercore.dir/src/track/TrackFile.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/track/TrackFile.cpp.o.d"
  "/work/main/src/world/DatafileCheck.cpp" "CMakeFiles/hovercore.dir/src/world/DatafileCheck.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/world/DatafileCheck.cpp.o.d"
  "/work/main/src/world/FrameTimer.cpp" "CMakeFiles/hovercore.dir/src/world/FrameTimer.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/world/FrameTimer.cpp.o.d"
  "/work/main/src/world/Hud.cpp" "CMakeFiles/hovercore.dir/src/world/Hud.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/world/Hud.cpp.o.d"
  "/work/main/src/world/World.cpp" "CMakeFiles/hovercore.dir/src/world/World.cpp.o" "gcc" "CMakeFiles/hovercore.dir/src/world/World.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
