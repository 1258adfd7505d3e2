# One static library per core subsystem folder. Sources are picked up by glob so
# that a new file in a subsystem needs no edit here; CONFIGURE_DEPENDS re-globs.
function(vosk_core_library name folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()  # a subsystem with headers only, so far
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test program per subsystem: tests/<folder>/*_test.cpp.
function(vosk_test_suite name folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} vosk_test_support GTest::gtest GTest::gtest_main)
  vosk_lean_test_code(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "VOSK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# Test code itself needs no -O3: compiled at -O1 it builds in about two thirds
# of the time, while the libraries under test keep the configuration's level.
function(vosk_lean_test_code target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-O1>)
endfunction()
