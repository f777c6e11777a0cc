# Third-party packages, all from the distribution: GoogleTest, Google Benchmark, nlohmann-json and
# stb_image. Header-only packages are copied into the build tree so that a cross build can use
# them without putting the host's /usr/include on its include path.

set(LUMENO_VENDORED_INCLUDE "${CMAKE_BINARY_DIR}/vendored_include")

find_package(nlohmann_json 3 QUIET)
if(nlohmann_json_FOUND)
  add_library(lumeno_json INTERFACE)
  target_link_libraries(lumeno_json INTERFACE nlohmann_json::nlohmann_json)
else()
  find_path(LUMENO_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include /usr/local/include
            NO_CMAKE_FIND_ROOT_PATH)
  if(NOT LUMENO_NLOHMANN_DIR)
    message(FATAL_ERROR "nlohmann/json.hpp not found (Debian: nlohmann-json3-dev)")
  endif()
  file(COPY "${LUMENO_NLOHMANN_DIR}/nlohmann" DESTINATION "${LUMENO_VENDORED_INCLUDE}")
  add_library(lumeno_json INTERFACE)
  target_include_directories(lumeno_json SYSTEM INTERFACE "${LUMENO_VENDORED_INCLUDE}")
endif()

find_path(LUMENO_STB_DIR stb_image.h PATHS /usr/include/stb /usr/local/include/stb
          NO_CMAKE_FIND_ROOT_PATH)
if(NOT LUMENO_STB_DIR)
  message(FATAL_ERROR "stb_image.h not found (Debian: libstb-dev)")
endif()
file(COPY "${LUMENO_STB_DIR}/stb_image.h" "${LUMENO_STB_DIR}/stb_image_write.h"
     DESTINATION "${LUMENO_VENDORED_INCLUDE}/stb")
add_library(lumeno_stb INTERFACE)
target_include_directories(lumeno_stb SYSTEM INTERFACE "${LUMENO_VENDORED_INCLUDE}")

if(CMAKE_CROSSCOMPILING)
  set(LUMENO_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory("${LUMENO_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  # GoogleTest's own CMake defines the GTest:: aliases in recent versions.
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
  if(LUMENO_BENCHMARKS)
    find_package(benchmark QUIET)
    if(NOT benchmark_FOUND)
      set(LUMENO_BENCHMARKS OFF)
    endif()
  endif()
endif()
