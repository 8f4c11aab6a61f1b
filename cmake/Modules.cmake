# Build conventions shared by every folder.
#
# A folder's sources are its *.cpp files; its tests are the *_test.cpp files
# beside them, built into one executable named after the folder.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra)
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
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
endif()

# Adds this folder's non-test sources to TARGET.
function(ac_add_sources target)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "_test\\.cpp$")
  if(srcs)
    target_sources(${target} PRIVATE ${srcs})
  endif()
endfunction()

# Builds NAME_tests from this folder's *_test.cpp files, linked with the given
# libraries, and registers every test case with CTest. Tests find their data
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
  gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS ${name})
endfunction()
