# Build settings shared by every target, set once here.

set(HALDEN_WARNINGS -Wall -Wextra -Wpedantic -Werror)
set(HALDEN_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

function(halden_target_settings target)
  target_compile_options(${target} PRIVATE ${HALDEN_WARNINGS})
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()

# halden_add_test(name KIND core|gui|plain SOURCES ... LIBS ...)
# Registers one test executable. Core tests also get a sanitizer twin linked against the
# sanitizer build of the core; GUI tests run on the offscreen platform.
function(halden_add_test name)
  cmake_parse_arguments(T "" "KIND" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${T_SOURCES})
  halden_target_settings(${name})
  if(T_KIND STREQUAL "core")
    target_link_libraries(${name} PRIVATE halden_core ${T_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    if(HALDEN_WITH_SANITIZERS)
      add_executable(${name}_asan ${T_SOURCES})
      halden_target_settings(${name}_asan)
      target_compile_options(${name}_asan PRIVATE ${HALDEN_SANITIZE})
      target_link_options(${name}_asan PRIVATE ${HALDEN_SANITIZE})
      target_link_libraries(${name}_asan PRIVATE halden_core_asan ${T_LIBS} GTest::gtest GTest::gtest_main)
      add_test(NAME ${name}_asan COMMAND ${name}_asan)
      set_tests_properties(${name}_asan PROPERTIES ENVIRONMENT "UBSAN_OPTIONS=print_stacktrace=1;ASAN_OPTIONS=detect_leaks=1")
    endif()
  elseif(T_KIND STREQUAL "gui")
    target_link_libraries(${name} PRIVATE halden_ui ${T_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HALDEN_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots"
      TIMEOUT 300)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
  endif()
endfunction()
