# kalderon_ui: every src/*/ui/ file plus src/app/; the program kalderon; the
# Qt Test tests of the windows and dialogs, run without a display.
find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)

file(GLOB UI_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/*/ui/*.cpp)
list(FILTER UI_SOURCES EXCLUDE REGEX "/src/app/main\\.cpp$")
add_library(kalderon_ui STATIC ${UI_SOURCES})
set_target_properties(kalderon_ui PROPERTIES AUTOMOC ON)
target_link_libraries(kalderon_ui PUBLIC kalderon_core kalderon_qtcanvas Qt6::Widgets Qt6::PrintSupport)

add_executable(kalderon src/app/main.cpp)
target_link_libraries(kalderon PRIVATE kalderon_ui)

if(KALDERON_BUILD_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  file(GLOB UI_TEST_SUPPORT CONFIGURE_DEPENDS tests/ui/support/*.cpp)
  add_library(kalderon_ui_test_support STATIC ${UI_TEST_SUPPORT})
  set_target_properties(kalderon_ui_test_support PROPERTIES AUTOMOC ON)
  target_include_directories(kalderon_ui_test_support PUBLIC tests/ui)
  target_link_libraries(kalderon_ui_test_support PUBLIC kalderon_ui Qt6::Test)
  target_compile_definitions(kalderon_ui_test_support PUBLIC
    KALDERON_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KALDERON_BATCH_PATH="$<TARGET_FILE:kalderon-batch>")
  add_dependencies(kalderon_ui_test_support kalderon-batch)

  # One program per test file, each with its own QTEST_MAIN.
  file(GLOB UI_TESTS CONFIGURE_DEPENDS tests/ui/*Test.cpp)
  foreach(test_source ${UI_TESTS})
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(ui_${test_name} ${test_source})
    set_target_properties(ui_${test_name} PROPERTIES AUTOMOC ON)
    target_link_libraries(ui_${test_name} PRIVATE kalderon_ui_test_support)
    add_test(NAME ui_${test_name} COMMAND ui_${test_name} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(ui_${test_name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
  endforeach()
  # Compares the wizard's reading of a file with kalderon-batch's options.
  target_link_libraries(ui_TextImportTest PRIVATE kalderon_batch)
  # Turns the platform's accessibility on, as a screen reader does.
  target_link_libraries(ui_AccessibilityTest PRIVATE Qt6::GuiPrivate)

  # Renders the windows of docs/images: kalderon_screenshots <folder>.
  add_executable(kalderon_screenshots tests/ui/Screenshots.cpp)
  target_link_libraries(kalderon_screenshots PRIVATE kalderon_ui_test_support)
endif()

# Benchmarks of windows and dialogs, offscreen: kalderon_ui_bench.
if(KALDERON_BUILD_BENCH AND benchmark_FOUND)
  file(GLOB UI_BENCH_SOURCES CONFIGURE_DEPENDS bench/ui/*.cpp)
  if(UI_BENCH_SOURCES)
    add_executable(kalderon_ui_bench ${UI_BENCH_SOURCES} bench/CaseFileGenerator.cpp)
    target_include_directories(kalderon_ui_bench PRIVATE bench)
    target_link_libraries(kalderon_ui_bench PRIVATE kalderon_ui benchmark::benchmark)
  endif()
endif()

if(KALDERON_BUILD_BENCH)
  # Opens the results window of a large report offscreen: kalderon_gui_bench [CASES].
  add_executable(kalderon_gui_bench bench/gui/ResultWindowBench.cpp bench/CaseFileGenerator.cpp)
  target_include_directories(kalderon_gui_bench PRIVATE bench)
  target_link_libraries(kalderon_gui_bench PRIVATE kalderon_ui)
endif()
# The About box names the version and the day the build was configured
# (SOURCE_DATE_EPOCH fixes it for reproducible builds).
string(TIMESTAMP KALDERON_BUILD_DATE "%d.%m.%Y")
set_source_files_properties(src/app/CAboutDlg.cpp PROPERTIES COMPILE_DEFINITIONS
  "KALDERON_VERSION=\"${PROJECT_VERSION}\";KALDERON_BUILD_DATE=\"${KALDERON_BUILD_DATE}\"")
