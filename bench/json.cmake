# Benchmark of the JSON reader and writer beside json-c and RapidJSON, linked here only.
# json-c through pkg-config; RapidJSON is header-only.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KELO_JSONC REQUIRED IMPORTED_TARGET json-c)
find_path(KELO_RAPIDJSON_INCLUDE rapidjson/document.h REQUIRED)
add_executable(json_bench json_bench.cpp)
target_link_libraries(json_bench PRIVATE kelo_json benchmark::benchmark PkgConfig::KELO_JSONC)
target_include_directories(json_bench SYSTEM PRIVATE ${KELO_RAPIDJSON_INCLUDE})
target_include_directories(json_bench PRIVATE ${CMAKE_SOURCE_DIR})
kelo_warnings(json_bench)
