# Unit tests of the JSON reader, writer and search, and of the file-name lookup built on them.
kelo_unit_test(json_tests
  SOURCES
    unit/json/reader_test.cpp
    unit/json/writer_test.cpp
    unit/json/search_test.cpp
    unit/json/random_document.cpp
    unit/json/property_test.cpp
    unit/json/file_name_lookup_test.cpp
  LIBS kelo_json kelo_analysis)
target_include_directories(json_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/unit)
