# One static library per folder, and one test binary per folder of tests/.
# Folders may be empty while they wait for their windows; those are skipped.
set(QV_TEST_MAIN ${CMAKE_SOURCE_DIR}/tests/test_main.cpp)
set(QV_WINDOW_MODULES "" CACHE INTERNAL "")

function(qv_module name dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  file(GLOB_RECURSE hdrs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  if(srcs)
    add_library(${name} STATIC ${srcs} ${hdrs})
  else()
    add_library(${name} INTERFACE)
  endif()
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
  set(QV_WINDOW_MODULES ${QV_WINDOW_MODULES} ${name} CACHE INTERNAL "")

  file(GLOB_RECURSE tsrcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/tests/${dir}/*.h)
  if(tsrcs)
    set(tname test_${name})
    add_executable(${tname} ${tsrcs} ${QV_TEST_MAIN})
    target_include_directories(${tname} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    if(kind STREQUAL "INTERFACE_LIBRARY")
      target_link_libraries(${tname} PRIVATE ${name})
    else()
      # Windows register themselves by name at start; keep every one of them.
      # It also arrives plainly through the shared test support, and a library
      # may carry only one link feature; so the whole archive goes in as a
      # linker option ahead of the plain link line (members it already
      # loaded are not taken again from the plain copy).
      target_link_libraries(${tname} PRIVATE ${name})
      # One option per module: CMake drops repeated options, which would leave
      # later modules outside the whole-archive bracket.
      target_link_options(${tname} PRIVATE "SHELL:LINKER:--whole-archive $<TARGET_FILE:${name}> LINKER:--no-whole-archive")
    endif()
    target_link_libraries(${tname} PRIVATE qv_testsupport GTest::gtest Qt6::Test)
    gtest_discover_tests(${tname} DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
  endif()
endfunction()

# Everything a running program holds: every window module, whole.
function(qv_program name)
  add_executable(${name} ${ARGN})
  foreach(m ${QV_WINDOW_MODULES})
    get_target_property(kind ${m} TYPE)
    if(kind STREQUAL "INTERFACE_LIBRARY")
      target_link_libraries(${name} PRIVATE ${m})
    else()
      # Modules also depend on each other plainly: whole archives as linker
      # options, the plain link line after them (see qv_module).
      target_link_libraries(${name} PRIVATE ${m})
      target_link_options(${name} PRIVATE "SHELL:LINKER:--whole-archive $<TARGET_FILE:${m}> LINKER:--no-whole-archive")
    endif()
  endforeach()
endfunction()
