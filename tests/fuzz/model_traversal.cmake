# Model traversal driven by a fake SDK answering from the fuzz input. The model and fake sources
# are compiled into the fuzzer itself so that they carry the coverage instrumentation.
file(GLOB lumeno_model_fuzz_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/model/*.cpp")
lumeno_add_fuzzer(model_traversal_fuzz
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/model_traversal_fuzz.cpp
    ${lumeno_model_fuzz_sources}
    ${PROJECT_SOURCE_DIR}/tests/native/support/byte_fed_sdk.cpp
    ${PROJECT_SOURCE_DIR}/tests/native/support/model_invariants.cpp
  LIBS lumeno_sdk)
target_include_directories(model_traversal_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
