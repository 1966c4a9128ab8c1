# qb_library(<target> DIR <dir> [QT] [DEPS ...])
# Builds every .cpp of <dir> (not recursive) into a static library. Without QT
# the target cannot see Qt, so GUI-free code stays GUI-free. A folder with no
# sources yet gives an INTERFACE target so dependants still link.
function(qb_library target)
  cmake_parse_arguments(ARG "QT" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${ARG_DIR}/*.h)
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} Threads::Threads)
    if(ARG_QT)
      target_link_libraries(${target} PUBLIC Qt6::Widgets Qt6::PrintSupport)
    else()
      set_target_properties(${target} PROPERTIES AUTOMOC OFF)
    endif()
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# qb_test(<target> DIR <dir> [QT] DEPS ... [TIMING <Suite.Test> ...])
# One test program per folder of tests; GUI tests get a main() that starts a
# QApplication on the offscreen platform. The TIMING tests get the CTest
# label timing, which scripts/test runs apart and tries again.
function(qb_test target)
  cmake_parse_arguments(ARG "QT" "DIR" "DEPS;TIMING" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE QB_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
  if(ARG_QT)
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} qb_test_qt_main GTest::gtest GTest::gmock Qt6::Test)
  else()
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  endif()
  list(JOIN ARG_TIMING ":" timing)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    TEST_FILTER "-${timing}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
  if(ARG_TIMING)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      TEST_FILTER "${timing}"
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS timing
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
