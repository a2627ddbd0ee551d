include(GoogleTest)

# Helpers shared by the native test suites.
file(GLOB orv_support_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
if(orv_support_sources)
  add_library(orv_test_support STATIC ${orv_support_sources})
  target_link_libraries(orv_test_support PUBLIC orv_options GTest::gtest)
  target_include_directories(orv_test_support PUBLIC ${PROJECT_SOURCE_DIR})
else()
  add_library(orv_test_support INTERFACE)
endif()

# One unit-test executable per subsystem: tests/<subsystem>/*.cpp.
foreach(sub engine documents display app preferences console)
  orv_glob_tests(files tests/${sub})
  if(files)
    add_executable(orv_${sub}_tests ${files})
    target_link_libraries(orv_${sub}_tests PRIVATE orv_${sub} orv_test_support
                          GTest::gtest_main Threads::Threads)
    target_compile_definitions(orv_${sub}_tests PRIVATE
      ORV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(orv_${sub}_tests
      PROPERTIES LABELS "unit;${sub}"
      DISCOVERY_TIMEOUT 60)
  endif()
endforeach()

# No file includes a header of a layer above its own (engine, preferences,
# documents, then display and console side by side, then app).
add_test(NAME layer_includes COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-layers ${PROJECT_SOURCE_DIR})
set_tests_properties(layer_includes PROPERTIES LABELS "unit")

if(ORV_E2E)
  orv_glob_tests(files tests/e2e)
  if(files)
    add_executable(orv_e2e_tests ${files})
    target_link_libraries(orv_e2e_tests PRIVATE orv_options GTest::gtest_main
                          Threads::Threads PNG::PNG)
    # The generated orv_version.h gives the tests the title the program shows.
    target_include_directories(orv_e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}
                               ${CMAKE_BINARY_DIR}/generated)
    target_compile_definitions(orv_e2e_tests PRIVATE
      ORV_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      ORV_WIN64_DIR="${ORV_WIN64_DIR}")
    # Each end-to-end test starts Wine; they share one display and run one
    # at a time.
    gtest_discover_tests(orv_e2e_tests
      PROPERTIES LABELS e2e RUN_SERIAL TRUE TIMEOUT 300
      DISCOVERY_TIMEOUT 60)
  endif()
endif()

if(ORV_BENCH)
  find_package(benchmark REQUIRED)
  add_subdirectory(bench)
endif()

if(ORV_FUZZ)
  add_subdirectory(fuzz)
endif()
