# The portable core of the main window (no Win32): the Viewer with its cameras, panes, status and
# toasts, the load sequence and text conversion. Included by ui/CMakeLists.txt on every platform.
add_library(lumeno_ui_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_loader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_convert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewer_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewer_loading.cpp)
find_package(Threads REQUIRED)
target_include_directories(lumeno_ui_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(lumeno_ui_core PUBLIC lumeno_render_core lumeno_model lumeno_core
                                             Threads::Threads)
