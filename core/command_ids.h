// The command identifiers of the menus and menu bar. Built-in commands and features register
// their commands under these identifiers (core/command_registry.h); the menu layout refers to them.
#pragma once

namespace lumeno {

// File.
constexpr unsigned ID_OPEN_MODEL = 1001;
constexpr unsigned ID_OPEN_IN_SKETCHUP = 1002;
constexpr unsigned ID_SAVE_LOWER_VERSION = 1003;
// Scenes and layers: the first identifier of each range plus the index.
constexpr unsigned ID_SCENE_FIRST = 1100;
constexpr unsigned ID_SCENE_LAST = 1199;
constexpr unsigned ID_LAYER_FIRST = 1200;
constexpr unsigned ID_LAYER_LAST = 1399;
// View, tools and help.
constexpr unsigned ID_FIT_VIEW = 1400;
constexpr unsigned ID_SHOW_EDGES = 1401;
constexpr unsigned ID_SHOW_MATERIALS = 1402;
constexpr unsigned ID_LIGHTING = 1403;
constexpr unsigned ID_SHADOWS = 1404;
constexpr unsigned ID_REVERSE_SHADOW = 1405;
constexpr unsigned ID_PERSPECTIVE = 1406;
constexpr unsigned ID_VIEW_ANGLE = 1407;
constexpr unsigned ID_ZOOM_THROUGH = 1408;
constexpr unsigned ID_PERFORMANCE = 1409;
constexpr unsigned ID_LAYOUT_1 = 1410;
constexpr unsigned ID_LAYOUT_2 = 1411;
constexpr unsigned ID_LAYOUT_3 = 1412;
constexpr unsigned ID_LAYOUT_4 = 1413;
constexpr unsigned ID_LOCK_VIEW = 1414;
constexpr unsigned ID_TOGGLE_LIST = 1415;
constexpr unsigned ID_MEASURE_DISTANCE = 1416;
constexpr unsigned ID_MEASURE_CONTINUOUS = 1417;
constexpr unsigned ID_MEASURE_AREA = 1418;
constexpr unsigned ID_CLEAR_MEASUREMENTS = 1419;
constexpr unsigned ID_SHOW_MEASUREMENTS = 1420;
constexpr unsigned ID_UNIT_MM = 1421;
constexpr unsigned ID_UNIT_M = 1422;
constexpr unsigned ID_UNIT_FT = 1423;
constexpr unsigned ID_UNIT_IN = 1424;
constexpr unsigned ID_MODEL_INFO = 1429;
constexpr unsigned ID_TOGGLE_THEME = 1430;
constexpr unsigned ID_BAR_FIT = 1431;
constexpr unsigned ID_BAR_PERSPECTIVE = 1432;
constexpr unsigned ID_BAR_MEASURE = 1433;
constexpr unsigned ID_WALK = 1434;
constexpr unsigned ID_PREFERENCES = 1435;
constexpr unsigned ID_WALK_SETTINGS = 1436;
constexpr unsigned ID_SHORTCUTS = 1437;
constexpr unsigned ID_CLEAR_CACHE = 1438;
constexpr unsigned ID_HELP_WEBSITE = 1444;
constexpr unsigned ID_ABOUT = 1445;

}  // namespace lumeno
