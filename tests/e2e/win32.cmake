# End-to-end tests of the Windows program under Wine + Xvfb, driven by tests/e2e/win32/driver.exe.
add_executable(kelo_driver ${CMAKE_CURRENT_LIST_DIR}/win32/driver.cpp)
target_link_libraries(kelo_driver PRIVATE kelo_encoding)
target_compile_definitions(kelo_driver PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
kelo_warnings(kelo_driver)

add_executable(kelo_broken_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/broken_window_program.cpp)
target_link_options(kelo_broken_window PRIVATE -municode)
target_link_libraries(kelo_broken_window PRIVATE kelo_win32)
kelo_warnings(kelo_broken_window)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
foreach(locale zh_CN.UTF-8 en_US.UTF-8)
  string(REGEX REPLACE "\\..*" "" short ${locale})
  add_test(NAME win32_e2e_${short}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/win32/e2e_win32.py
      --exe $<TARGET_FILE:kelo> --driver $<TARGET_FILE:kelo_driver>
      --broken-exe $<TARGET_FILE:kelo_broken_window>
      --locale ${locale} --work ${CMAKE_BINARY_DIR}/e2e-${short})
  set_tests_properties(win32_e2e_${short} PROPERTIES LABELS e2e TIMEOUT 900 RUN_SERIAL TRUE
    RESOURCE_LOCK kelo_standin)
endforeach()
