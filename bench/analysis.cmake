# Benchmark of the Analyze command on typical and very large replies, beside a plain memcpy.
add_executable(analysis_bench analysis_bench.cpp)
target_link_libraries(analysis_bench PRIVATE kelo_analysis benchmark::benchmark)
target_include_directories(analysis_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
kelo_warnings(analysis_bench)
