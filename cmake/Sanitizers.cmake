# The checking build: -DSANITIZE=ON builds everything with AddressSanitizer
# (leak checking included) and UndefinedBehaviorSanitizer, stopping at the
# first report. -DFUZZ=ON (clang only, implies SANITIZE) also instruments the
# code for libFuzzer and builds the targets in fuzz/.
#
# Every executable of such a build carries the sanitizers' default options
# (cmake/sanitizers/default_options.cpp): the suppression file and the folder
# SANITIZER_REPORT_DIR where every report is written, one file a process. A
# program started by a test, a web server or a browser thus reports even when
# nobody looks at its exit status; scripts/test-sanitize fails when the folder
# holds anything.

option(SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(FUZZ "Also build the libFuzzer targets of fuzz/ (clang)" OFF)
if(FUZZ)
  set(SANITIZE ON)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FUZZ=ON needs clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
endif()

set(SANITIZER_REPORT_DIR "${CMAKE_BINARY_DIR}/sanitizer-reports"
  CACHE PATH "Where the programs of the sanitizer build write their reports")

if(SANITIZE)
  set(sanitize_flags -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sanitize_flags})
  add_link_options(${sanitize_flags})
  if(FUZZ)
    # Coverage for libFuzzer in every library; only the fuzz targets link
    # libFuzzer itself (-fsanitize=fuzzer).
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # g++ 12 gives a false -Wmaybe-uninitialized inside <regex> under the
    # sanitizers: its wrapper there silences that warning for it alone.
    include_directories(BEFORE SYSTEM ${CMAKE_CURRENT_LIST_DIR}/sanitizers/gcc-include)
  endif()
  file(MAKE_DIRECTORY "${SANITIZER_REPORT_DIR}")

  add_library(sanitizer_default_options OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/sanitizers/default_options.cpp)
  target_compile_definitions(sanitizer_default_options PRIVATE
    LSAN_SUPPRESSIONS="${CMAKE_CURRENT_LIST_DIR}/sanitizers/lsan.supp"
    SANITIZER_REPORT_DIR="${SANITIZER_REPORT_DIR}")
endif()

# Called once at the end of the top-level CMakeLists.txt: gives every
# executable of the tree the default options.
function(sanitizers_finish)
  if(NOT SANITIZE)
    return()
  endif()
  set(dirs ${CMAKE_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_link_libraries(${target} PRIVATE sanitizer_default_options)
      endif()
    endforeach()
  endwhile()
endfunction()
