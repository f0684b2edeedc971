# quelmora_add_test(NAME <binary> [SOURCES <file>...] [LIBS <target>...]
#                   [MAIN <file>] [OFFSCREEN])
#
# A GoogleTest binary whose tests CTest discovers by name. It links the
# libraries under test (LIBS), tests/support and GoogleTest; MAIN names a
# source with its own main() (else gtest_main provides it); OFFSCREEN runs
# the tests on Qt's offscreen platform. Test sources include headers as
# "support/TempFolder.h" or "ui/MainFormFixture.h" (tests/ is an include root)
# and find the repository through QUELMORA_SOURCE_DIR. More sources can be
# added later with target_sources.
function(quelmora_add_test)
  cmake_parse_arguments(arg "OFFSCREEN" "NAME;MAIN" "SOURCES;LIBS" ${ARGN})
  if(NOT arg_NAME OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "quelmora_add_test: NAME required; unknown ${arg_UNPARSED_ARGUMENTS}")
  endif()
  add_executable(${arg_NAME} ${arg_SOURCES} ${arg_MAIN})
  target_link_libraries(${arg_NAME} PRIVATE ${arg_LIBS} quelmora_test_support GTest::gtest)
  if(NOT arg_MAIN)
    target_link_libraries(${arg_NAME} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${arg_NAME} PRIVATE QUELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(properties "")
  if(arg_OFFSCREEN)
    set(properties PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
  gtest_discover_tests(${arg_NAME} DISCOVERY_TIMEOUT 60 ${properties})
endfunction()
