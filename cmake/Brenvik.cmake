# Helpers shared by every layer: one library per folder, one test binary per
# test folder. Sources are globbed so adding a file needs no CMake edit.

# brenvik_library(<name> [EXCLUDE <files...>] DEPS <targets...>)
# Builds src/<name>/*.cpp into the static library brenvik_<name>; headers are
# included as "<name>/Header.h" from src/.
function(brenvik_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(NOT sources MATCHES "\\.cpp")
    # A layer whose sources are not written yet: headers only.
    add_library(brenvik_${name} INTERFACE)
    target_include_directories(brenvik_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(brenvik_${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(brenvik_${name} STATIC ${sources})
  target_include_directories(brenvik_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(brenvik_${name} PUBLIC ${ARG_DEPS})
endfunction()

# brenvik_tests(<name> DEPS <targets...> [WIDGETS] [OFFSCREEN_FILTER <gtest filter>])
# Builds tests/<name>/*.cpp into test_<name>, linked with GoogleTest and a
# main that starts a Qt application (a QApplication on the offscreen platform
# when WIDGETS is given), and registers every test case with ctest.
function(brenvik_tests name)
  cmake_parse_arguments(ARG "WIDGETS" "OFFSCREEN_FILTER" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources MATCHES "\\.cpp")
    return()
  endif()
  add_executable(test_${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/common/TestMain.cpp)
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest Qt6::Core)
  if(ARG_WIDGETS)
    target_link_libraries(test_${name} PRIVATE Qt6::Widgets)
    target_compile_definitions(test_${name} PRIVATE BRENVIK_TEST_WIDGETS=1)
  endif()
  target_compile_definitions(test_${name} PRIVATE
    BRENVIK_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(NOT ARG_OFFSCREEN_FILTER)
    set(ARG_OFFSCREEN_FILTER "*")
  endif()
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "${ARG_OFFSCREEN_FILTER}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
