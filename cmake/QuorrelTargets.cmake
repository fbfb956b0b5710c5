# Helpers every folder uses to declare its targets.

find_package(GTest REQUIRED)
include(GoogleTest)

# Warnings on, and errors, for the project's own code.
function(quorrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-parameter -Wno-multichar)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports overlaps and out-of-range sizes inside libstdc++'s own inlined
    # string and vector code once optimisation inlines deeply (known false positives),
    # so these stay warnings rather than errors.
    target_compile_options(${target} PRIVATE -Wno-error=restrict -Wno-error=stringop-overread
      -Wno-error=stringop-overflow -Wno-error=array-bounds)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -Wno-four-char-constants)
  endif()
endfunction()

# A shared library that lands in the application directory next to the executable.
function(quorrel_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PUBLIC_INCLUDES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${ARG_PUBLIC_INCLUDES})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
  set_target_properties(${name} PROPERTIES
    BUILD_RPATH "\$ORIGIN" INSTALL_RPATH "\$ORIGIN")
  quorrel_warnings(${name})
endfunction()

# A GoogleTest program registered with CTest. Tests run with the headless display
# backend and their own temporary XDG folders, never the user's.
function(quorrel_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock pthread)
  target_compile_definitions(${name} PRIVATE
    QUORREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUORREL_APP_DIR="${QUORREL_APP_DIR}"
    QUORREL_TEST_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  quorrel_warnings(${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(properties TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "QUORREL_BACKEND=headless")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# A libFuzzer target. In the fuzz flavour it links libFuzzer; in every other flavour it
# links a small driver that replays the seed corpus, and CTest runs that replay so the
# target always builds and its corpus never regresses.
function(quorrel_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  quorrel_warnings(${name})
  if(QUORREL_FLAVOUR STREQUAL "fuzz")
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    if(ARG_CORPUS)
      add_test(NAME ${name}.replay COMMAND ${name} ${ARG_CORPUS})
      set_tests_properties(${name}.replay PROPERTIES LABELS fuzz ENVIRONMENT "QUORREL_BACKEND=headless")
    endif()
  endif()
  set_property(GLOBAL APPEND PROPERTY QUORREL_FUZZERS "${name}|${ARG_CORPUS}")
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(quorrel_add_subfolders)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# One static library per application folder (widgets, editor, dialogs, panel, prefs,
# app), built from every .cpp in the folder except those named in EXCLUDE. The folder
# itself is the public include path, so code includes "EView.h" and the like. A folder
# with no sources yet becomes an interface library, so its users still link.
function(quorrel_add_app_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    quorrel_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()
