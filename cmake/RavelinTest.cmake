# ravelin_add_test(NAME SOURCES src... LIBS lib... [QT])
# Builds one GoogleTest program and registers its cases with CTest. With QT the program's main
# creates a QApplication on the offscreen platform; without it a plain main is used. Either way
# every test may use the temporary-folder fixture of tests/common.
function(ravelin_add_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_link_libraries(${name} PRIVATE ravelin_testing_qt)
  else()
    target_link_libraries(${name} PRIVATE ravelin_testing_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
