# Build conventions shared by every folder.
#
# A folder's sources are its *.cpp files; its tests are the *_test.cpp files
# beside them, built into one executable named after the folder.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wshadow -Werror)
endif()

if(AC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(AC_FUZZ)
  # Coverage for libFuzzer in every library; only fuzz targets link the driver.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(WIN32)
  # The program must run on a clean Windows: no mingw runtime DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Sections at page boundaries in the file too: a loader can then map the
  # image as it stands instead of reading it into fresh memory, which Wine
  # does for every image whose sections are packed at 512 bytes.
  add_link_options(-Wl,--file-alignment=4096)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
endif()

# Headers that nearly every source includes, compiled once per target instead
# of once per source: they are most of a source's compile time, <windows.h>
# and <gtest/gtest.h> above all. Only a Windows-only layer (AC_WINDOWS_LAYER,
# set by the top-level list for the layers above the platform-free ones)
# precompiles <windows.h>: a platform-free source must not lean on it.
option(AC_PCH "Precompile the common headers of each target" ON)
set(AC_COMMON_HEADERS <algorithm> <array> <cstdint> <cstring> <functional> <memory>
    <optional> <string> <string_view> <utility> <vector>)
function(ac_precompile_headers target)
  if(NOT AC_PCH)
    return()
  endif()
  set(headers ${AC_COMMON_HEADERS} ${ARGN})
  if(AC_WINDOWS_LAYER)
    list(APPEND headers <windows.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Behind a precompiled header, GCC 12 reports its bounds and string-size
    # checks inside the standard library, where they misread std::string's
    # inlined copies, and the build would fail on them. Bounds are checked
    # at run time by the sanitizer build.
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overread
                                             -Wno-stringop-overflow -Wno-restrict)
  endif()
endfunction()

# Adds this folder's non-test sources to TARGET.
function(ac_add_sources target)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_test\\.cpp$")
  if(srcs)
    target_sources(${target} PRIVATE ${srcs})
  endif()
endfunction()

set(AC_TEST_SHARDS 4 CACHE STRING "Processes each test executable is run in")

# Builds NAME_tests from this folder's *_test.cpp files, linked with the given
# libraries, and registers it with CTest. Tests find their data
# through AC_SOURCE_DIR.
function(ac_add_tests name)
  if(NOT AC_TESTS)
    return()
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT tests)
    return()
  endif()
  add_executable(${name}_tests ${tests})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name}_tests PRIVATE AC_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  ac_precompile_headers(${name}_tests <gtest/gtest.h>)
  if(WIN32)
    # The tests exercise the optimised libraries; their own code need not be.
    target_compile_options(${name}_tests PRIVATE -O1)
  endif()
  # A process per test case would cost more than most cases themselves (a
  # Wine or sanitizer start is 0.2-0.4 s), so CTest runs the executable in
  # AC_TEST_SHARDS processes, each a shard of its cases (GoogleTest's
  # sharding), side by side. One case: NAME_tests --gtest_filter=Suite.Case.
  foreach(shard RANGE 1 ${AC_TEST_SHARDS})
    math(EXPR index "${shard} - 1")
    add_test(NAME ${name}_tests_${shard}of${AC_TEST_SHARDS} COMMAND ${name}_tests)
    set_tests_properties(${name}_tests_${shard}of${AC_TEST_SHARDS} PROPERTIES LABELS ${name}
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${AC_TEST_SHARDS};GTEST_SHARD_INDEX=${index}")
  endforeach()
endfunction()

# Declares the layer NAME built from FOLDER (a top-level folder of the source
# tree) on top of the layers listed after it.
#
# A layer sees only its own folder and the folders of the layers below it: its
# include root is a folder in the build tree holding a link to FOLDER alone, and
# the layers below pass theirs on. An include of a higher layer's header is then
# a compile error, not a review comment. Every header is also compiled on its
# own, so a header that reaches upward fails even if no source of its layer
# includes it.
function(ac_add_layer name folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)

  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_test\\.cpp$")
  # Platform-specific sources sit in native/ and win/ subfolders.
  if(WIN32)
    list(FILTER srcs EXCLUDE REGEX "/native/[^/]*$")
  else()
    list(FILTER srcs EXCLUDE REGEX "/win/[^/]*$")
  endif()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    ac_precompile_headers(${name})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${root})
  target_link_libraries(${name} ${scope} ${ARGN})
  ac_check_headers(${name} ${folder})
endfunction()

# Compiles each header of FOLDER alone against the layer NAME (AC_CHECK_HEADERS).
function(ac_check_headers name folder)
  if(NOT AC_CHECK_HEADERS)
    return()
  endif()
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  if(WIN32)
    list(FILTER headers EXCLUDE REGEX "/native/[^/]*$")
    # The native build checks a platform-free layer's other headers.
    if(NOT AC_WINDOWS_LAYER)
      list(FILTER headers INCLUDE REGEX "/win/[^/]*$")
    endif()
  else()
    list(FILTER headers EXCLUDE REGEX "/win/[^/]*$")
  endif()
  if(NOT headers)
    return()
  endif()
  set(units)
  foreach(h ${headers})
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${h})
    string(MAKE_C_IDENTIFIER ${rel} id)
    set(unit ${CMAKE_BINARY_DIR}/layers/${name}-headers/${id}.cpp)
    set(text "#include \"${rel}\"\n")
    if(EXISTS ${unit})
      file(READ ${unit} old)
    else()
      set(old "")
    endif()
    if(NOT old STREQUAL text)
      file(WRITE ${unit} ${text})
    endif()
    list(APPEND units ${unit})
  endforeach()
  add_library(${name}_headers OBJECT ${units})
  target_link_libraries(${name}_headers PRIVATE ${name})
endfunction()
