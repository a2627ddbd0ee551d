# Native (Linux) build: the portable core with Debian's libraries, tested
# under AddressSanitizer and UndefinedBehaviorSanitizer.
option(ORV_SANITIZE "Build with ASan and UBSan" ON)
option(ORV_BENCH "Build the benchmarks" OFF)
option(ORV_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(ORV_E2E "Build the end-to-end tests that drive orvinale.exe under Wine" ON)
set(ORV_WIN64_DIR "${PROJECT_SOURCE_DIR}/build/win64" CACHE PATH
    "Where the win64 build put orvinale.exe and its data files")

add_library(orv_options INTERFACE)
target_compile_options(orv_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(ORV_SANITIZE)
  target_compile_options(orv_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(orv_options INTERFACE -fsanitize=address,undefined)
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
