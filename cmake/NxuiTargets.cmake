# Warnings for project code only; third-party headers come in as SYSTEM includes.
function(nxui_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports false positives on std::vector/std::string inlining at -O2.
    target_compile_options(${target} PRIVATE -Wno-stringop-overflow -Wno-array-bounds -Wno-restrict -Wno-maybe-uninitialized)
  endif()
endfunction()

# Collects the sources of the given directories below src/ (one glob per directory so that
# adding a file needs no CMake edit).
function(nxui_glob_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB dir_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND files ${dir_files})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# One test executable per directory below tests/, its tests registered one by one with ctest.
function(nxui_add_test_dir dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB test_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT test_files)
    return()
  endif()
  set(target nxui_tests_${dir})
  add_executable(${target} ${test_files})
  nxui_warnings(${target})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_compile_definitions(${target} PRIVATE
    NXUI_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    NXUI_CAPTURES_DIR="${PROJECT_SOURCE_DIR}/../shared/testdata/captures")
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS ${dir})
endfunction()
