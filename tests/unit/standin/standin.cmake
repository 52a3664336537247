# Self-test of the stand-in service (tools/standin): native tree only, it needs no build.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(Python3 3.9 COMPONENTS Interpreter REQUIRED)
  add_test(NAME standin_selftest
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/test_standin.py)
  # Its stand-ins listen on free ports, so it may run beside anything else.
  set_tests_properties(standin_selftest PROPERTIES LABELS unit TIMEOUT 300)
endif()
