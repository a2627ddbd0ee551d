# The program's version, written once: project(VERSION) and
# ORV_VERSION_SUFFIX become the generated header orv_version.h (for the code
# and the resource script) and the manifest the resource script embeds.
# Both are written at configure time, and only when their text changes.
set(ORV_VERSION "${PROJECT_VERSION}${ORV_VERSION_SUFFIX}")
set(ORV_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}")
set(ORV_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
set(ORV_VERSION_PATCH "${PROJECT_VERSION_PATCH}")
if("${ORV_VERSION_PATCH}" STREQUAL "")
  set(ORV_VERSION_PATCH 0)  # project(VERSION 0.53) names no patch level
endif()

set(orv_generated_dir ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/orv_version.h.in ${orv_generated_dir}/orv_version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/orvinale.manifest.in
               ${orv_generated_dir}/orvinale.manifest @ONLY)
# The default preferences text and the program's texts name the version.
target_include_directories(orv_preferences PRIVATE ${orv_generated_dir})
target_include_directories(orv_app PRIVATE ${orv_generated_dir})
