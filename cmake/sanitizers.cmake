# Builds for finding faults: CASELEAF_SANITIZE runs the whole suite under AddressSanitizer
# (leaks included) and UndefinedBehaviorSanitizer; CASELEAF_FUZZ builds the libFuzzer
# harnesses of tests/fuzz with clang. Each has a build folder of its own (make
# check-sanitize, make fuzz).
option(CASELEAF_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(CASELEAF_FUZZ "Build the libFuzzer harnesses (clang)" OFF)

if(CASELEAF_SANITIZE OR CASELEAF_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(CASELEAF_SANITIZE)
  # Tests are listed when ctest runs them, under the sanitizers' settings, not while building.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
  # Quicker to build; line tables are all a report needs.
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
endif()
if(CASELEAF_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzzing build needs clang: CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
