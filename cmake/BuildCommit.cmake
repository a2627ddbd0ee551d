# The source revision compiled into the program (the Version box). A target
# that runs at every build asks git for HEAD and rewrites the generated header
# only when the revision changed, so an unchanged revision rebuilds nothing.
#
# ORV_SOURCE_COMMIT: the revision to use instead of asking git (for a build
# from a source archive); 40 lower-case hexadecimal digits.
set(ORV_SOURCE_COMMIT "" CACHE STRING "Source revision to build in instead of git's HEAD")

set(orv_generated_dir ${CMAKE_BINARY_DIR}/generated)
set(orv_build_commit_header ${orv_generated_dir}/orv_build_commit.h)
add_custom_target(orv_build_commit
  COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR} -DOUT=${orv_build_commit_header}
          -DCOMMIT=${ORV_SOURCE_COMMIT} -P ${PROJECT_SOURCE_DIR}/cmake/WriteBuildCommit.cmake
  BYPRODUCTS ${orv_build_commit_header}
  COMMENT "Checking the source revision"
  VERBATIM)
add_dependencies(orv_app orv_build_commit)
target_include_directories(orv_app PRIVATE ${orv_generated_dir})
