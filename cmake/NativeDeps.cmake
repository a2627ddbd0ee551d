# Native (Linux) build: the portable core with Debian's libraries, tested
# under AddressSanitizer and UndefinedBehaviorSanitizer.
# Sanitizers: "address,undefined" (the default), "thread" (ThreadSanitizer,
# for the scanner tests of `make tsan`), or OFF. ON means the default.
set(ORV_SANITIZE "address,undefined" CACHE STRING
    "Sanitizers of the native build: address,undefined, thread or OFF")
option(ORV_BENCH "Build the benchmarks" OFF)
option(ORV_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(ORV_E2E "Build the end-to-end tests that drive orvinale.exe under Wine" ON)
set(ORV_WIN64_DIR "${PROJECT_SOURCE_DIR}/build/win64" CACHE PATH
    "Where the win64 build put orvinale.exe and its data files")

add_library(orv_options INTERFACE)
target_compile_options(orv_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(ORV_SANITIZE)
  set(orv_sanitizers ${ORV_SANITIZE})
  if(orv_sanitizers STREQUAL "ON" OR orv_sanitizers STREQUAL "1")
    set(orv_sanitizers address,undefined)
  endif()
  # Checked standard containers as well: an index one past a vector's or a
  # string's end stops the test even where the memory behind it is mapped.
  target_compile_options(orv_options INTERFACE
    -fsanitize=${orv_sanitizers} -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
  target_link_options(orv_options INTERFACE -fsanitize=${orv_sanitizers})
  if(orv_sanitizers MATCHES "undefined")
    target_compile_options(orv_options INTERFACE -fno-sanitize-recover=undefined)
  endif()
endif()
if(ORV_FUZZ)
  target_compile_options(orv_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

find_package(cJSON REQUIRED)
add_library(orv_cjson INTERFACE)
target_link_libraries(orv_cjson INTERFACE cjson)

find_package(GTest REQUIRED)
find_package(PNG)
find_package(Threads REQUIRED)
