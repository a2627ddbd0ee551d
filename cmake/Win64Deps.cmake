# Windows build: cJSON and libpng compiled from Debian's source packages,
# which scripts/bootstrap unpacks (with Debian's patches) into build/deps;
# zlib comes from libz-mingw-w64-dev.
set(ORV_DEPS_DIR "${PROJECT_SOURCE_DIR}/build/deps" CACHE PATH "Unpacked source packages")

add_library(orv_options INTERFACE)
# -g: make dist ships the exe stripped and keeps this debug information in a
# file of its own, so a crash address from a user can still be read.
target_compile_options(orv_options INTERFACE -Wall -Wextra -Wno-unused-parameter -g)
target_compile_definitions(orv_options INTERFACE
  UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

function(orv_find_source_dir out pattern marker)
  file(GLOB dirs LIST_DIRECTORIES true ${ORV_DEPS_DIR}/${pattern})
  foreach(d IN LISTS dirs)
    if(EXISTS ${d}/${marker})
      set(${out} ${d} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "No ${pattern} source in ${ORV_DEPS_DIR}: run scripts/bootstrap")
endfunction()

# cJSON and cJSON_Utils. Built without CJSON_HIDE_SYMBOLS, their public
# functions are dllexport, so orvinale.exe exports them under their standard
# names. An object library keeps every object in the link, used or not.
orv_find_source_dir(cjson_dir "cjson-*" cJSON_Utils.c)
add_library(orv_cjson_objects OBJECT ${cjson_dir}/cJSON.c ${cjson_dir}/cJSON_Utils.c)
target_compile_options(orv_cjson_objects PRIVATE -w)
set(cjson_include ${CMAKE_BINARY_DIR}/include)
configure_file(${cjson_dir}/cJSON.h ${cjson_include}/cjson/cJSON.h COPYONLY)
configure_file(${cjson_dir}/cJSON_Utils.h ${cjson_include}/cjson/cJSON_Utils.h COPYONLY)
target_include_directories(orv_cjson_objects PRIVATE ${cjson_include}/cjson)
add_library(orv_cjson INTERFACE)
target_include_directories(orv_cjson INTERFACE ${cjson_include})
target_link_libraries(orv_cjson INTERFACE orv_cjson_objects $<TARGET_OBJECTS:orv_cjson_objects>)

# libpng with its prebuilt default configuration.
orv_find_source_dir(png_dir "libpng1.6-*" png.c)
set(png_names png pngerror pngget pngmem pngpread pngread pngrio pngrtran
    pngrutil pngset pngtrans pngwio pngwrite pngwtran pngwutil)
set(png_sources "")
foreach(n IN LISTS png_names)
  list(APPEND png_sources ${png_dir}/${n}.c)
endforeach()
set(png_include ${CMAKE_BINARY_DIR}/include/libpng)
configure_file(${png_dir}/scripts/pnglibconf.h.prebuilt ${png_include}/pnglibconf.h COPYONLY)
configure_file(${png_dir}/png.h ${png_include}/png.h COPYONLY)
configure_file(${png_dir}/pngconf.h ${png_include}/pngconf.h COPYONLY)
add_library(orv_png STATIC ${png_sources})
target_compile_options(orv_png PRIVATE -w)
target_include_directories(orv_png PUBLIC ${png_include})
find_library(ORV_ZLIB libz.a REQUIRED)
target_link_libraries(orv_png PUBLIC ${ORV_ZLIB})

# GoogleTest for the Windows test executable, from Debian's googletest sources.
set(ORV_GTEST_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")
# gtest_main gives the tests their main().
add_library(orv_gtest STATIC ${ORV_GTEST_DIR}/src/gtest-all.cc
            ${ORV_GTEST_DIR}/src/gtest_main.cc)
target_include_directories(orv_gtest PUBLIC ${ORV_GTEST_DIR}/include PRIVATE ${ORV_GTEST_DIR})
target_compile_options(orv_gtest PRIVATE -w)
