# Build settings shared by every target, set once here.

# Warnings are errors where HALDEN_WERROR is on (make test and CI set it), so that a newer
# compiler's new warning does not stop a user's build.
option(HALDEN_WERROR "Treat compiler warnings as errors" OFF)
set(HALDEN_WARNINGS -Wall -Wextra -Wpedantic)
if(HALDEN_WERROR)
  list(APPEND HALDEN_WARNINGS -Werror)
  # GCC 12 at -O3 reports overlapping, oversized or out-of-bounds copies inside std::string's own code
  # where there are none; they stay warnings there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND HALDEN_WARNINGS -Wno-error=restrict -Wno-error=stringop-overflow -Wno-error=array-bounds)
  endif()
endif()
# The sanitizer builds and the test code itself are compiled without optimisation: they are
# checked, not measured, and compile in a fraction of the time.
set(HALDEN_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
# The C library's checked string and memory functions need optimisation, so these builds turn them
# off again (see HALDEN_HARDENING).
set(HALDEN_CHECK_OPTIMISATION -O0 -U_FORTIFY_SOURCE)

# Hardening of the optimised builds: the C library's checked string and memory functions, and a
# read-only relocation table resolved in full at start-up. The fuzz build leaves the checks to the
# sanitizers. The compiler may define _FORTIFY_SOURCE itself, hence the -U first.
if(HALDEN_WITH_FUZZ)
  set(HALDEN_HARDENING)
else()
  set(HALDEN_OPTIMISED_CONFIG $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  set(HALDEN_HARDENING $<${HALDEN_OPTIMISED_CONFIG}:-U_FORTIFY_SOURCE> $<${HALDEN_OPTIMISED_CONFIG}:-D_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)

# The windows' sources are compiled each on its own, so that a name in an anonymous namespace
# belongs to its file. The pure core, its tests and the golden driver, whose optimised template
# code is most of the build, are compiled in batches (HALDEN_FAST_BUILD; two files there that
# define the same file-local name do not compile together, so a clash cannot pass unnoticed).
# What else keeps a clean build quick is precompiled headers (HALDEN_FAST_BUILD): the standard headers for the core libraries, the Qt headers for the window
# libraries, GoogleTest for the core tests, the JSON library for the golden driver, and the headers
# every GUI test includes for the GUI tests. The libraries of one kind share one precompiled header.
# ccache, where installed, serves the builds after the first; it caches the files that use a
# precompiled header only with its sloppiness for them.
option(HALDEN_FAST_BUILD "Precompiled headers" ON)
find_program(HALDEN_CCACHE ccache)
if(HALDEN_CCACHE AND NOT DEFINED CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER env CCACHE_SLOPPINESS=pch_defines,time_macros ${HALDEN_CCACHE})
endif()
set(HALDEN_CORE_PCH <algorithm> <array> <cmath> <cstdint> <functional> <optional> <string> <string_view>
    <utility> <vector>)
set(HALDEN_UI_PCH <QAction> <QApplication> <QCloseEvent> <QComboBox> <QFontMetrics> <QGuiApplication> <QKeyEvent>
    <QLabel> <QLineEdit> <QListWidget> <QMenu> <QMenuBar> <QMouseEvent> <QPointer> <QPushButton> <QScreen> <QTimer>
    <QWidget> <memory> <string> <vector>)
set(HALDEN_CORE_TEST_PCH <gtest/gtest.h> <optional> <string> <vector>)
set(HALDEN_GOLDEN_PCH <nlohmann/json.hpp> <optional> <string>)
set(HALDEN_GUI_TEST_PCH <QTest> <QAction> <QApplication> <QComboBox> <QLabel> <QLineEdit> <QListWidget> <QMenu>
    <QPushButton> <QWidget> <QWindow> <memory> <string>)
# What a target that only makes a shared precompiled header compiles besides it.
set(HALDEN_PCH_SOURCE ${CMAKE_BINARY_DIR}/generated/precompiled_only.cpp)
file(CONFIGURE OUTPUT ${HALDEN_PCH_SOURCE} CONTENT "// Compiled for the precompiled header alone.\n")

# The generated headers (the program's version, as program_version.h), for every library.
set(HALDEN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/program_version.h.in ${HALDEN_GENERATED_DIR}/program_version.h @ONLY)

function(halden_target_settings target)
  target_compile_options(${target} PRIVATE ${HALDEN_WARNINGS} ${HALDEN_HARDENING})
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()

# halden_add_core_library(name SOURCES ... DEPS ...)
# A library of the pure core: links no Qt, only the core libraries it names. With the sanitizer
# twin enabled it also builds name_asan, instrumented and linked to the twins of its DEPS.
function(halden_add_core_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  halden_target_settings(${name})
  set_target_properties(${name} PROPERTIES UNITY_BUILD ${HALDEN_FAST_BUILD})
  # The core also goes into the window module, a shared object.
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${HALDEN_GENERATED_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPS})
  if(HALDEN_FAST_BUILD)
    if(NOT TARGET halden_core_pch)
      add_library(halden_core_pch OBJECT ${HALDEN_PCH_SOURCE})
      halden_target_settings(halden_core_pch)
      set_target_properties(halden_core_pch PROPERTIES POSITION_INDEPENDENT_CODE ON)
      target_precompile_headers(halden_core_pch PRIVATE ${HALDEN_CORE_PCH})
    endif()
    target_precompile_headers(${name} REUSE_FROM halden_core_pch)
  endif()
  if(HALDEN_WITH_SANITIZERS)
    add_library(${name}_asan STATIC ${L_SOURCES})
    halden_target_settings(${name}_asan)
    set_target_properties(${name}_asan PROPERTIES UNITY_BUILD ${HALDEN_FAST_BUILD})
    target_compile_options(${name}_asan PRIVATE ${HALDEN_SANITIZE} ${HALDEN_CHECK_OPTIMISATION})
    target_link_options(${name}_asan PUBLIC ${HALDEN_SANITIZE})
    target_include_directories(${name}_asan PUBLIC ${PROJECT_SOURCE_DIR}/src ${HALDEN_GENERATED_DIR})
    foreach(dep IN LISTS L_DEPS)
      target_link_libraries(${name}_asan PUBLIC ${dep}_asan)
    endforeach()
    if(HALDEN_FAST_BUILD)
      if(NOT TARGET halden_core_asan_pch)
        add_library(halden_core_asan_pch OBJECT ${HALDEN_PCH_SOURCE})
        halden_target_settings(halden_core_asan_pch)
        target_compile_options(halden_core_asan_pch PRIVATE ${HALDEN_SANITIZE} ${HALDEN_CHECK_OPTIMISATION})
        target_precompile_headers(halden_core_asan_pch PRIVATE ${HALDEN_CORE_PCH})
      endif()
      target_precompile_headers(${name}_asan REUSE_FROM halden_core_asan_pch)
    endif()
  endif()
endfunction()

# halden_add_ui_library(name SOURCES ... DEPS ...)
# A library of windows: Qt Widgets, moc, and the core and window libraries it names.
function(halden_add_ui_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  halden_target_settings(${name})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC ON AUTORCC ON)
  target_compile_definitions(${name} PUBLIC QT_NO_CONTEXTLESS_CONNECT QT_NO_CAST_TO_ASCII)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_DEPS} Qt6::Core Qt6::Gui Qt6::Widgets)
  if(HALDEN_FAST_BUILD)
    if(NOT TARGET halden_ui_pch)
      add_library(halden_ui_pch OBJECT ${HALDEN_PCH_SOURCE})
      halden_target_settings(halden_ui_pch)
      set_target_properties(halden_ui_pch PROPERTIES POSITION_INDEPENDENT_CODE ON)
      target_compile_definitions(halden_ui_pch PRIVATE QT_NO_CONTEXTLESS_CONNECT QT_NO_CAST_TO_ASCII)
      target_link_libraries(halden_ui_pch PRIVATE Qt6::Core Qt6::Gui Qt6::Widgets)
      target_precompile_headers(halden_ui_pch PRIVATE ${HALDEN_UI_PCH})
    endif()
    target_precompile_headers(${name} REUSE_FROM halden_ui_pch)
  endif()
endfunction()

# halden_add_test(name KIND core|gui|plain SOURCES ... LIBS ...)
# halden_add_test(name COMMAND ... [ENVIRONMENT ...] [LABELS ...] [TIMEOUT s] [RESOURCE_LOCK lock] [COST n])
# Registers every test of the project. Core tests compile once into an object library that both
# the plain runner and its sanitizer twin (linked to the sanitizer build of the core) link; GUI
# tests run on the offscreen platform; a COMMAND test runs a script or a built tool. A higher COST
# starts a test earlier, so that the long ones do not all end up at the tail of a parallel run.
function(halden_add_test name)
  cmake_parse_arguments(T "" "KIND;TIMEOUT;RESOURCE_LOCK;COST" "SOURCES;LIBS;COMMAND;ENVIRONMENT;LABELS" ${ARGN})
  if(T_COMMAND)
    add_test(NAME ${name} COMMAND ${T_COMMAND})
  elseif(T_KIND STREQUAL "core")
    find_package(GTest REQUIRED)
    add_library(${name}_objects OBJECT ${T_SOURCES})
    halden_target_settings(${name}_objects)
    target_compile_options(${name}_objects PRIVATE ${HALDEN_CHECK_OPTIMISATION})
    target_include_directories(${name}_objects PRIVATE ${PROJECT_SOURCE_DIR}/src ${HALDEN_GENERATED_DIR})
    target_link_libraries(${name}_objects PUBLIC GTest::gtest)
    set_target_properties(${name}_objects PROPERTIES UNITY_BUILD ${HALDEN_FAST_BUILD} UNITY_BUILD_BATCH_SIZE 8)
    if(HALDEN_FAST_BUILD)
      target_precompile_headers(${name}_objects PRIVATE ${HALDEN_CORE_TEST_PCH})
    endif()
    add_executable(${name})
    halden_target_settings(${name})
    target_link_libraries(${name} PRIVATE ${name}_objects halden_core ${T_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    if(HALDEN_WITH_SANITIZERS)
      add_executable(${name}_asan)
      halden_target_settings(${name}_asan)
      target_link_libraries(${name}_asan PRIVATE ${name}_objects halden_core_asan ${T_LIBS} GTest::gtest
                                                 GTest::gtest_main)
      add_test(NAME ${name}_asan COMMAND ${name}_asan)
      set_tests_properties(${name}_asan PROPERTIES ENVIRONMENT "UBSAN_OPTIONS=print_stacktrace=1;ASAN_OPTIONS=detect_leaks=1")
    endif()
  elseif(T_KIND STREQUAL "gui")
    add_executable(${name} ${T_SOURCES})
    halden_target_settings(${name})
    target_compile_options(${name} PRIVATE ${HALDEN_CHECK_OPTIMISATION})
    target_link_libraries(${name} PRIVATE halden_ui ${T_LIBS} Qt6::Test)
    if(HALDEN_FAST_BUILD AND TARGET halden_gui_support)
      target_precompile_headers(${name} REUSE_FROM halden_gui_support)
      # The generated moc file includes what it needs; the shared headers would only slow it down.
      set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/mocs_compilation.cpp
                                  TARGET_DIRECTORY ${name} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    list(APPEND T_ENVIRONMENT QT_QPA_PLATFORM=offscreen HALDEN_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots)
    if(NOT T_TIMEOUT)
      set(T_TIMEOUT 300)
    endif()
  else()
    add_executable(${name} ${T_SOURCES})
    halden_target_settings(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(T_ENVIRONMENT)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
  if(T_COST)
    set_tests_properties(${name} PROPERTIES COST ${T_COST})
  endif()
  if(T_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
endfunction()
