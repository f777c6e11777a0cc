# Input and commands (no Win32): mouse navigation, key bindings, the command table, scenes and
# layers, and the menu bar as data. Included by ui/CMakeLists.txt on every platform.
add_library(lumeno_ui_input STATIC
  ${CMAKE_CURRENT_LIST_DIR}/commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands_scenes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_bindings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_model.cpp)
target_include_directories(lumeno_ui_input PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(lumeno_ui_input PUBLIC lumeno_ui_core)
