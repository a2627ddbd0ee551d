set(orv_static_flags -static -static-libgcc -static-libstdc++)
set(orv_win_libs comctl32 comdlg32 shell32 ole32 oleaut32 uuid shlwapi
    gdi32 user32 kernel32 advapi32 msimg32 winmm)

# The program: a GUI-subsystem executable with a wide entry point.
file(GLOB orv_main_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/*_main_win32.cpp)
add_executable(orvinale WIN32 ${orv_main_sources} ${PROJECT_SOURCE_DIR}/app/orvinale.rc)
target_link_libraries(orvinale PRIVATE orv_app orv_png ${orv_win_libs})
target_link_options(orvinale PRIVATE -municode ${orv_static_flags})
set_target_properties(orvinale PROPERTIES OUTPUT_NAME orvinale)
# windres writes no dependency file, so the script's includes are listed here;
# it finds the generated version header and manifest through the include path.
set(orv_rc_depends ${PROJECT_SOURCE_DIR}/app/resource.h ${PROJECT_SOURCE_DIR}/app/orvinale.ico
    ${orv_generated_dir}/orv_version.h ${orv_generated_dir}/orvinale.manifest)
set_source_files_properties(${PROJECT_SOURCE_DIR}/app/orvinale.rc PROPERTIES
  OBJECT_DEPENDS "${orv_rc_depends}")
target_include_directories(orvinale PRIVATE ${orv_generated_dir})

# Files shipped beside the executable.
add_custom_target(orv_data ALL
  COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/data -DDST=${CMAKE_BINARY_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/CopyData.cmake
  COMMENT "Copying data files beside orvinale.exe")

# Windows tests (file layer, profile, clipboard, windows and messages), run
# by ctest under Wine through the cross-compiling emulator.
orv_glob_tests(files tests/win)
if(files)
  add_executable(orv_win_tests ${files} ${PROJECT_SOURCE_DIR}/app/orvinale.rc)
  target_link_libraries(orv_win_tests PRIVATE orv_app orv_png orv_gtest ${orv_win_libs})
  target_compile_definitions(orv_win_tests PRIVATE ORV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_include_directories(orv_win_tests PRIVATE ${orv_generated_dir})
  target_link_options(orv_win_tests PRIVATE ${orv_static_flags})
  add_test(NAME windows_tests COMMAND orv_win_tests)
  set_tests_properties(windows_tests PROPERTIES LABELS win TIMEOUT 600)
endif()

# A helper of the end-to-end tests: prints the texts of a window's controls
# (message boxes whose text the tests check).
add_executable(orv_window_texts ${PROJECT_SOURCE_DIR}/tests/e2e/probe/window_texts.cpp)
target_link_libraries(orv_window_texts PRIVATE orv_options user32)
target_link_options(orv_window_texts PRIVATE ${orv_static_flags})
