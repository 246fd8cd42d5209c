# One static library per subsystem folder; every .cpp in the folder belongs
# to it, so adding a source file needs no edit here.
function(optgrind_library name dir)
  file(GLOB _sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
  if(_sources)
    add_library(${name} STATIC ${_sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  if(_sources)
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One GoogleTest executable per test folder.
function(optgrind_test name dir)
  file(GLOB _sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_compile_definitions(${name} PRIVATE
    OPTGRIND_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    OPTGRIND_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    OPTGRIND_BINARY="$<TARGET_FILE:optgrind>")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "OPTGRIND_ROOT=${OPTGRIND_BUNDLED_ROOT}")
endfunction()
