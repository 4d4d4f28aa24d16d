# Helpers shared by every folder: libraries with the project's include root and
# warnings, constant text files embedded into the binary, tests and benchmarks.

# brisolt_library(<name> SOURCES ... [LIBS ...])
function(brisolt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE brisolt_warnings)
endfunction()

# brisolt_embed_text(<target> <symbol> <file>)
# Makes the contents of <file> available as
#   brisolt::embedded::<symbol> (a std::string_view)
# through the header "embedded/<symbol>.h". The executable never reads data/
# at run time.
function(brisolt_embed_text target symbol file)
  get_filename_component(input ${file} ABSOLUTE)
  set(source ${BRISOLT_GENERATED_DIR}/embedded/${symbol}.cpp)
  set(header ${BRISOLT_GENERATED_DIR}/embedded/${symbol}.h)
  add_custom_command(
    OUTPUT ${source} ${header}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DSOURCE=${source} -DHEADER=${header}
            -DSYMBOL=${symbol} -P ${BRISOLT_CMAKE_DIR}/embed_text.cmake
    DEPENDS ${input} ${BRISOLT_CMAKE_DIR}/embed_text.cmake
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${source} ${header})
  target_include_directories(${target} PUBLIC ${BRISOLT_GENERATED_DIR})
endfunction()

# brisolt_test(<name> [SERIAL] SOURCES ... [LIBS ...] [LABELS ...])
# One GoogleTest executable; its cases are registered with CTest one by one,
# with the labels given (ctest -L selects by label). SERIAL runs its cases
# alone, for tests that stream to a device in real time.
function(brisolt_test name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock brisolt_warnings)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(labels)
  if(ARG_LABELS)
    set(labels LABELS "${ARG_LABELS}")
  endif()
  if(ARG_SERIAL)
    list(APPEND labels RUN_SERIAL TRUE)
  endif()
  # The labels come first: the discovered tests' properties are written out
  # as one flat list, in which the environment's second entry loses its pair.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ${labels} ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
endfunction()

# brisolt_benchmark(<name> SOURCES ... [LIBS ...])
function(brisolt_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark brisolt_warnings)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
