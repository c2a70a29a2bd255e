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
    NXUI_CAPTURES_DIR="${NXUI_CAPTURES_DIR}")
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  # Test code is template-heavy and needs no speed: the presets compile it unoptimised, while the
  # code under test keeps its own level. That halves the time the tests take to build.
  target_compile_options(${target} PRIVATE ${NXUI_TEST_COMPILE_OPTIONS})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS ${dir})
endfunction()

# One static library per layer of src/. A layer sees only its own directory and those of the
# layers below it: its sources are compiled against an include folder holding links to exactly
# those directories, so an include from a layer above (or beside) fails to compile, and the
# library links only its downward dependencies. Layers without sources yet are interface targets.
#   nxui_layer(NAME DIR dir DEPS layer... [LIBS third-party...] [QT])
function(nxui_layer name)
  cmake_parse_arguments(ARG "QT" "DIR" "DEPS;LIBS" ${ARGN})
  set(closure ${ARG_DIR})
  foreach(dep IN LISTS ARG_DEPS)
    get_property(dep_closure GLOBAL PROPERTY NXUI_LAYER_DIRS_${dep})
    if(NOT dep_closure)
      message(FATAL_ERROR "layer ${name}: ${dep} must be declared before it")
    endif()
    list(APPEND closure ${dep_closure})
  endforeach()
  list(REMOVE_DUPLICATES closure)
  set_property(GLOBAL PROPERTY NXUI_LAYER_DIRS_${name} ${closure})

  set(view ${PROJECT_BINARY_DIR}/layer-includes/${name})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  foreach(dir IN LISTS closure)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dir} ${view}/${dir} SYMBOLIC)
  endforeach()

  set(target nxui_${name})
  nxui_glob_sources(sources ${ARG_DIR})
  if(sources)
    add_library(${target} STATIC ${sources})
    nxui_warnings(${target})
    # The folder's own path must not be searched before the view: includes always name a layer.
    target_include_directories(${target} PRIVATE ${view})
    foreach(dep IN LISTS ARG_DEPS)
      target_link_libraries(${target} PUBLIC nxui_${dep})
    endforeach()
    if(ARG_LIBS)
      target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    endif()
    if(ARG_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
  else()
    add_library(${target} INTERFACE)
    foreach(dep IN LISTS ARG_DEPS)
      target_link_libraries(${target} INTERFACE nxui_${dep})
    endforeach()
  endif()
  set_property(GLOBAL APPEND PROPERTY NXUI_LAYERS ${name})
endfunction()
