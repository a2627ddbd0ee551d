# A subsystem is a folder of sources that becomes the static library
# orv_<name>. Files ending in _win32.cpp hold the Win32 and GDI halves and are
# compiled only for Windows; files ending in _posix.cpp are the POSIX halves
# of portable interfaces and compiled only natively; every other .cpp is
# portable and compiled in both builds. Files ending in _main_win32.cpp are entry points and belong to an
# executable, not to the library.
function(orv_add_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/${name})
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  set(sources "")
  foreach(f IN LISTS all)
    if(f MATCHES "_main_win32\\.cpp$")
      continue()
    elseif(f MATCHES "_win32\\.cpp$")
      if(WIN32)
        list(APPEND sources ${f})
      endif()
    elseif(f MATCHES "_posix\\.cpp$")
      if(NOT WIN32)
        list(APPEND sources ${f})
      endif()
    else()
      list(APPEND sources ${f})
    endif()
  endforeach()
  if(NOT sources)
    # An empty subsystem still needs one translation unit to be a library.
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/orv_${name}_empty.cpp)
    file(WRITE ${stub} "// ${name}: no sources yet\n")
    set(sources ${stub})
  endif()
  add_library(orv_${name} STATIC ${sources})
  target_include_directories(orv_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(orv_${name} PUBLIC orv_options ${ARG_DEPENDS})
endfunction()

# Tests of one kind: every *_test.cpp in the given folders becomes part of one
# GoogleTest executable.
function(orv_glob_tests out)
  set(files "")
  foreach(d IN LISTS ARGN)
    file(GLOB f CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${d}/*.cpp)
    list(APPEND files ${f})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
