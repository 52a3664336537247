# Tests of the Linux program (Qt Test): its windows in process on Qt's offscreen platform, and
# the real program driven through a test plugin. Native tree only, where the program is built.
if(NOT TARGET kelo_qt)
  return()
endif()
# Imported targets belong to the directory that found them: find them here too.
find_package(Qt6 COMPONENTS Widgets Test REQUIRED)
find_package(CURL REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# kelo_qt_test(<name> <source>): one Qt Test binary, one ctest entry, no display needed.
function(kelo_qt_test name source)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${source})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE kelo_qt Qt6::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(${name} PRIVATE KELO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  kelo_warnings(${name})
endfunction()

set(kelo_qt_env QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=120000)

kelo_qt_test(qt_window_tests window_test.cpp)
add_test(NAME qt_window_tests COMMAND qt_window_tests)
set_tests_properties(qt_window_tests PROPERTIES LABELS qt TIMEOUT 300
  ENVIRONMENT "${kelo_qt_env}")

# With the stand-in service on the build's API host, which every test of it shares.
kelo_qt_test(qt_analysis_tests analysis_test.cpp)
add_test(NAME qt_analysis_tests
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/with_standin.py
    --record-dir ${CMAKE_CURRENT_BINARY_DIR}/qt-requests --timeout 240
    -- $<TARGET_FILE:qt_analysis_tests>)
set_tests_properties(qt_analysis_tests PROPERTIES LABELS qt TIMEOUT 300
  ENVIRONMENT "${kelo_qt_env}" RESOURCE_LOCK kelo_standin)

kelo_qt_test(qt_about_tests about_test.cpp)
add_test(NAME qt_about_tests COMMAND qt_about_tests)
set_tests_properties(qt_about_tests PROPERTIES LABELS qt TIMEOUT 300
  ENVIRONMENT "${kelo_qt_env}")

# The driver the end-to-end test and tools/run_demo_linux.py load into the real program.
add_library(kelo_qt_driver MODULE ${CMAKE_CURRENT_LIST_DIR}/driver_plugin.cpp)
set_target_properties(kelo_qt_driver PROPERTIES AUTOMOC ON
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/qt-driver/generic)
target_link_libraries(kelo_qt_driver PRIVATE Qt6::Widgets Qt6::Test)
kelo_warnings(kelo_qt_driver)

add_test(NAME qt_program_e2e
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/with_standin.py
    --record-dir ${CMAKE_CURRENT_BINARY_DIR}/qt-e2e-requests --timeout 240
    -- ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/e2e_qt.py
      --program $<TARGET_FILE:kelo> --plugins ${CMAKE_BINARY_DIR}/qt-driver)
set_tests_properties(qt_program_e2e PROPERTIES LABELS qt TIMEOUT 300
  ENVIRONMENT "${kelo_qt_env}" RESOURCE_LOCK kelo_standin)
