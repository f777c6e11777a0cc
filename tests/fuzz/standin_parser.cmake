# Fuzzes the stand-in SDK's model reader: bytes parsed as a model file, then every list and getter
# walked through the C API. The stand-in sources are compiled into the fuzzer so that they carry
# its coverage and sanitizer instrumentation.
if(LUMENO_STANDIN_CORE_SOURCES)
  lumeno_add_fuzzer(standin_parser_fuzz
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/standin_parser_fuzz.cpp ${LUMENO_STANDIN_CORE_SOURCES}
    LIBS lumeno_core lumeno_json lumeno_stb)
endif()
