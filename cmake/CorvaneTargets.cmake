# One helper for every library and test program, so each folder's CMakeLists.txt says only which
# layers it may use. A library links exactly the layers it names: a slip across layers fails to
# link instead of working by accident.

# Warnings for our own code; fatal in CI builds (CI=true in the environment) or on request.
option(CORVANE_WERROR "Make compiler warnings fatal" $ENV{CI})
add_library(corvane_warnings INTERFACE)
target_compile_options(corvane_warnings INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
if(CORVANE_WERROR)
  target_compile_options(corvane_warnings INTERFACE -Werror)
endif()

# corvane_library(NAME [FOLDERS dir...] [LINKS target...] [EXCLUDE regex])
# The sources are the .cpp and .h files of the current folder (and of FOLDERS, relative to it).
# A folder without sources is an error, never a silently missing library.
function(corvane_library name)
  cmake_parse_arguments(ARG "" "EXCLUDE" "FOLDERS;LINKS" ${ARGN})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(folder ${ARG_FOLDERS})
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  if(ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(NOT sources)
    message(FATAL_ERROR "${name}: no sources in ${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE CXX)
  target_include_directories(${name} PUBLIC ${CORVANE_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} PRIVATE corvane_warnings)
endfunction()

# corvane_test(NAME [SOURCES file...] [LINKS target...] [MAIN gtest|own])
# A GoogleTest program of the current test folder (its .cpp files plus SOURCES), listed by ctest
# when the tests run rather than when they are built.
function(corvane_test name)
  cmake_parse_arguments(ARG "" "MAIN" "SOURCES;LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(APPEND sources ${ARG_SOURCES})
  if(NOT sources)
    message(FATAL_ERROR "${name}: no test sources in ${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest corvane_warnings)
  if(NOT ARG_MAIN STREQUAL "own")
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CORVANE_TEST_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE CORVANE_FIXTURES="${CORVANE_FIXTURES}"
                                             CORVANE_BUILD_SYSDATA="${CMAKE_BINARY_DIR}/sysdata")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
endfunction()
