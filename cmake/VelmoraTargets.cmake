# One library per source folder. Sources are picked up by folder so that a new
# file needs no edit here; the layering (a folder may use only the folders below
# it, and only src/platform sees SDL) is checked by the "layering" test.

function(velmora_layer name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;PRIVATE_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(velmora_${name} STATIC ${sources})
    target_include_directories(velmora_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(velmora_${name} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_LIBS})
  else()
    add_library(velmora_${name} INTERFACE)
    target_include_directories(velmora_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(velmora_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# A test executable built from every .cpp in the calling folder, registered
# with CTest through GoogleTest's discovery, one CTest entry per test case.
# WHOLE_BINARY registers the executable as one entry instead, for suites whose
# expensive shared set-up (a generated data tree) should run once.
function(velmora_test_folder name)
  cmake_parse_arguments(ARG "WHOLE_BINARY" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(velmora_tests_${name} ${sources})
  target_link_libraries(velmora_tests_${name} PRIVATE ${ARG_LIBS} velmora_testsupport GTest::gtest GTest::gtest_main)
  # Tests run through env(1) with the headless drivers and the folders they
  # read: gtest_discover_tests in this CMake cannot pass a list-valued
  # ENVIRONMENT property, but it runs every test through the target's emulator.
  set(environment /usr/bin/env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
    VELMORA_SOURCE_DIR=${PROJECT_SOURCE_DIR} VELMORA_RUN_DIR=${VELMORA_RUN_DIR})
  if(ARG_WHOLE_BINARY)
    add_test(NAME ${name} COMMAND ${environment} $<TARGET_FILE:velmora_tests_${name}>
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    return()
  endif()
  set_target_properties(velmora_tests_${name} PROPERTIES CROSSCOMPILING_EMULATOR "${environment}")
  gtest_discover_tests(velmora_tests_${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 30)
endfunction()
