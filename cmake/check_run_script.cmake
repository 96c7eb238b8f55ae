# The README's commands that start the program (scripts/run.sh) and make its
# package (scripts/package.sh) build what the program needs and no test: the
# targets they name, and every target those depend on, leave out the test
# binaries, their support library and the benchmarks. The package is made
# from what was built, without building anything more.
#   cmake -DSOURCE=<source folder> -DWORK=<scratch folder> [-DSCRIPT=scripts/package.sh -DMAKES_PACKAGE=ON]
#         -P check_run_script.cmake
cmake_minimum_required(VERSION 3.16)
if(NOT SCRIPT)
  set(SCRIPT scripts/run.sh)
endif()
file(STRINGS ${SOURCE}/${SCRIPT} build_lines REGEX "scripts/build\\.sh")
if(NOT build_lines)
  message(FATAL_ERROR "${SCRIPT} does not build through scripts/build.sh")
endif()
list(GET build_lines 0 line)
string(REGEX REPLACE ".*scripts/build\\.sh" "" targets "${line}")
string(STRIP "${targets}" targets)
separate_arguments(targets UNIX_COMMAND "${targets}")
if(NOT targets)
  message(FATAL_ERROR "${SCRIPT} builds every target, the tests too: ${line}")
endif()

# The targets' dependencies as CMake itself sees them, from a configure of
# its own (the build folder under test is left alone).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/CMakeGraphVizOptions.cmake "set(GRAPHVIZ_CUSTOM_TARGETS TRUE)\n")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK} --graphviz=${WORK}/targets.dot
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring ${SOURCE} failed:\n${log}")
endif()
file(STRINGS ${WORK}/targets.dot edges REGEX "// .* -> ")

set(needed ${targets})
set(todo ${targets})
while(todo)
  list(POP_FRONT todo target)
  foreach(edge IN LISTS edges)
    if(edge MATCHES "// ([^ ]+) -> ([^ ]+)$" AND CMAKE_MATCH_1 STREQUAL target)
      set(dependency ${CMAKE_MATCH_2})
      if(NOT dependency IN_LIST needed)
        list(APPEND needed ${dependency})
        list(APPEND todo ${dependency})
      endif()
    endif()
  endforeach()
endwhile()

if(NOT "quorvel" IN_LIST needed)
  message(FATAL_ERROR "${SCRIPT} does not build the program: it builds ${targets}")
endif()
foreach(target IN LISTS needed)
  if(target MATCHES "^(test_|bench_|qv_testsupport)")
    message(FATAL_ERROR "${SCRIPT} builds ${target} (through ${targets}); it needs only the program")
  endif()
endforeach()
# Packaging would build every target first, one file at a time, unless
# installing is kept from depending on them.
if(EXISTS ${WORK}/Makefile)
  file(READ ${WORK}/Makefile makefile)
  if(makefile MATCHES "\npreinstall: all")
    message(FATAL_ERROR "installing and packaging build every target first, the tests too")
  endif()
endif()
if(MAKES_PACKAGE)
  file(STRINGS ${SOURCE}/${SCRIPT} package_lines REGEX "^[^#]*cpack -G DEB")
  if(NOT package_lines)
    message(FATAL_ERROR "${SCRIPT} makes no Debian package")
  endif()
endif()
message(STATUS "${SCRIPT} builds ${targets}: ${needed}")
