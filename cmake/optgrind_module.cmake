# One static library per layer folder; every .cpp in the folder belongs to
# it, so adding a source file needs no edit here.
#
# Each library publishes its headers through an include root of its own in
# the build tree that holds only its folder (a link to it). A file sees the
# headers of its own layer and of the layers it links, and nothing else: an
# include against the direction of the layers fails to build.
function(optgrind_layer name dir)
  file(GLOB _sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp")
  list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
  set(_root "${CMAKE_BINARY_DIR}/include/${name}")
  get_filename_component(_parent "${_root}/${dir}" DIRECTORY)
  file(MAKE_DIRECTORY "${_parent}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${dir}" "${_root}/${dir}" SYMBOLIC)
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC "${_root}")
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${_root}")
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
