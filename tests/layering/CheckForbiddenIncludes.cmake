# Builds each probe target and passes when every one fails to compile because
# its forbidden header is not found (and for no other reason).
#   cmake -DBUILD_DIR=... -DPROBES=probe:library:header;... -P CheckForbiddenIncludes.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")
foreach(entry IN LISTS PROBES)
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 probe)
  list(GET entry 1 library)
  list(GET entry 2 header)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${probe}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(REPLACE "." "\\." header_pattern "${header}")
  # GCC: "Foo.h: No such file or directory"; clang: "'Foo.h' file not found".
  if(result EQUAL 0)
    string(APPEND failures "${library} may include ${header}\n")
  elseif(NOT output MATCHES "${header_pattern}'?:? (No such file or directory|file not found)")
    string(APPEND failures "${library} -> ${header}: the probe failed for another reason:\n${output}\n")
  else()
    message(STATUS "${library} cannot include ${header}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
