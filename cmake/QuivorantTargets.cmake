# Shared helpers for every subsystem's CMakeLists.txt.

# Our own code builds warning-free.
function(quivorant_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QUIVORANT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Registers one test executable as one ctest test (a Wine start costs seconds, so never one
# test per case). Options:
#   DISPLAY      the test opens windows: the Wine runner wraps it in xvfb-run
#   XVFB         a native test that opens X11 windows: run inside xvfb-run on a display of its own
#   NATIVE_ONLY  skipped in the windows lane
#   WINDOWS_ONLY skipped in the native lane
#   NO_GTEST_MAIN  the sources bring their own main()
function(quivorant_add_test name)
  cmake_parse_arguments(T "DISPLAY;XVFB;NATIVE_ONLY;WINDOWS_ONLY;NO_GTEST_MAIN" "TIMEOUT" "SOURCES;LIBS;ARGS" ${ARGN})
  if(T_NATIVE_ONLY AND QUIVORANT_WINDOWS)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT QUIVORANT_WINDOWS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  quivorant_strict(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest ${T_LIBS})
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main ${T_LIBS})
  endif()
  if(T_XVFB)
    add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1024x768x24" $<TARGET_FILE:${name}> ${T_ARGS})
  else()
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_DISPLAY)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QUIVORANT_NEEDS_DISPLAY=1")
  endif()
endfunction()
