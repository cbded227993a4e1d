# Native (Linux) build: the portable library with its unit tests under the
# sanitizers, the artwork generator, and the Windows program cross-compiled
# as an external project and tested under Wine.
option(KIV_SANITIZE "Build the portable library and its tests with ASan and UBSan" ON)
option(KIV_CROSS "Cross-compile the Windows program with MinGW-w64 and test it under Wine" ON)
option(KIV_CLANG "Also cross-compile the program and its in-process tests with clang" ON)

set(KIV_SANITIZER_FLAGS)
if(KIV_SANITIZE)
  set(KIV_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
endif()

add_library(kivcore STATIC ${KIV_PORTABLE_SOURCES})
target_include_directories(kivcore PUBLIC ${PROJECT_SOURCE_DIR} ${KIV_GENERATED_DIR})
kiv_warnings(kivcore)
target_compile_options(kivcore PUBLIC ${KIV_SANITIZER_FLAGS})
target_link_options(kivcore PUBLIC ${KIV_SANITIZER_FLAGS})

# The artwork generator is built from the artwork's own sources, so that a
# build of the program alone does not compile the whole portable library for it.
set(KIV_ART_SOURCES ${KIV_PORTABLE_SOURCES})
list(FILTER KIV_ART_SOURCES INCLUDE REGEX "/resources/[^/]*\\.cpp$")
add_executable(artgen resources/artgen_main.cpp ${KIV_ART_SOURCES})
target_include_directories(artgen PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(artgen PRIVATE ${KIV_SANITIZER_FLAGS})
target_link_options(artgen PRIVATE ${KIV_SANITIZER_FLAGS})
kiv_warnings(artgen)

kiv_use_googletest()
file(GLOB KIV_UNIT_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(kiv_unit_tests ${KIV_UNIT_TESTS})
target_link_libraries(kiv_unit_tests PRIVATE kivcore GTest::gtest_main)
# The small calendar files of the fuzzing corpus are test data too.
target_compile_definitions(kiv_unit_tests PRIVATE KIV_ICS_CORPUS="${PROJECT_SOURCE_DIR}/tests/fuzz/corpus")
kiv_warnings(kiv_unit_tests)
include(GoogleTest)
gtest_discover_tests(kiv_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)

# The portable library must stay free of the window system.
add_test(NAME portable.no_windows_h
         COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckPortable.cmake)
# Folders include only the folders below them; a planted upward include is caught.
add_test(NAME layers.downward_only
         COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
add_test(NAME layers.upward_include_fails
         COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}/tests/layers/planted
                 -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
set_tests_properties(layers.upward_include_fails PROPERTIES
                     PASS_REGULAR_EXPRESSION "options/upward.h includes app/")

if(KIV_CROSS)
  include(ExternalProject)
  set(KIV_WIN_BINARY_DIR ${CMAKE_BINARY_DIR}/win)
  ExternalProject_Add(kiv_windows
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${KIV_WIN_BINARY_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DKIV_ARTGEN=$<TARGET_FILE:artgen>
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    DEPENDS artgen)

  # Every Wine test runs in one throw-away prefix and one private X server,
  # set up before the first and torn down after the last.
  set(KIV_WINE ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh)
  set(KIV_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
  add_test(NAME wine.setup COMMAND ${KIV_WINE} ${KIV_WINE_STATE} start ${KIV_WIN_BINARY_DIR}/kiv_test_helper.exe)
  add_test(NAME wine.cleanup COMMAND ${KIV_WINE} ${KIV_WINE_STATE} stop)
  set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine)

  function(kiv_wine_test name)
    add_test(NAME ${name} COMMAND ${KIV_WINE} ${KIV_WINE_STATE} run ${ARGN})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 600)
  endfunction()
  kiv_wine_test(win.inprocess ${KIV_WIN_BINARY_DIR}/kiv_win_tests.exe)
  kiv_wine_test(win.end_to_end ${KIV_WIN_BINARY_DIR}/kiv_e2e_tests.exe ${KIV_WIN_BINARY_DIR}/KivCalendar.exe)
  # The turn of the year, with the session's clock set to just before it; a
  # test that skips here did not get the clock it needs, which fails.
  add_test(NAME win.end_to_end.midnight
           COMMAND ${KIV_WINE} ${KIV_WINE_STATE} run-at "2026-12-31 23:59:25"
                   ${KIV_WIN_BINARY_DIR}/kiv_e2e_tests.exe ${KIV_WIN_BINARY_DIR}/KivCalendar.exe
                   --gtest_filter=*Midnight*)
  set_tests_properties(win.end_to_end.midnight PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300
                       FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

  # The second compiler: clang with lld on the same MinGW-w64 headers and
  # libraries and the same warnings as errors. To keep the whole run within
  # about twelve minutes on two cores it builds the program and the
  # in-process tests only (with what they need), and runs those tests.
  if(KIV_CLANG)
    set(KIV_WIN_CLANG_BINARY_DIR ${CMAKE_BINARY_DIR}/win-clang)
    set(kiv_clang_targets KivCalendar kiv_win_tests)
    if(CMAKE_GENERATOR MATCHES "Make")
      set(kiv_clang_build $(MAKE) ${kiv_clang_targets})  # shares the outer make's jobs
    else()
      set(kiv_clang_build ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${kiv_clang_targets})
    endif()
    ExternalProject_Add(kiv_windows_clang
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${KIV_WIN_CLANG_BINARY_DIR}
      CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/clang-mingw-w64-x86_64.cmake
        -DCMAKE_BUILD_TYPE=Release
        -DKIV_ARTGEN=$<TARGET_FILE:artgen>
      BUILD_COMMAND ${kiv_clang_build}
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      DEPENDS artgen)
    # Its tests have a session of their own, so that they run beside the
    # others (ctest -j2). It starts after the first so the two do not race
    # for an X display.
    set(KIV_WINE_CLANG_STATE ${CMAKE_BINARY_DIR}/wine-clang)
    add_test(NAME wine.clang.setup
             COMMAND ${KIV_WINE} ${KIV_WINE_CLANG_STATE} start ${KIV_WIN_BINARY_DIR}/kiv_test_helper.exe)
    add_test(NAME wine.clang.cleanup COMMAND ${KIV_WINE} ${KIV_WINE_CLANG_STATE} stop)
    set_tests_properties(wine.clang.setup PROPERTIES FIXTURES_SETUP wine_clang DEPENDS wine.setup TIMEOUT 180)
    set_tests_properties(wine.clang.cleanup PROPERTIES FIXTURES_CLEANUP wine_clang)
    add_test(NAME win.inprocess.clang COMMAND ${KIV_WINE} ${KIV_WINE_CLANG_STATE} run
             ${KIV_WIN_CLANG_BINARY_DIR}/kiv_win_tests.exe)
    set_tests_properties(win.inprocess.clang PROPERTIES FIXTURES_REQUIRED wine_clang RESOURCE_LOCK wine_clang
                         TIMEOUT 600)
  endif()

  # The release files, packed from the program just built, and their tests:
  # the manifests, and the installer end to end in a Wine session of its own.
  set(KIV_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
  add_custom_target(kiv_package ALL
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/package.sh --from ${KIV_WIN_BINARY_DIR} ${KIV_PACKAGE_DIR}
    DEPENDS kiv_windows
    COMMENT "Packing the installer and the portable zip")
  # The shipped program stays lean: no comdlg32 import, no C++ streams or file system.
  add_test(NAME package.lean_exe
           COMMAND ${CMAKE_COMMAND} -DEXE=${KIV_WIN_BINARY_DIR}/KivCalendar.exe
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckLeanExe.cmake)
  set_tests_properties(package.lean_exe PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:")
  add_test(NAME package.manifests
           COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/package/manifests_test.py ${KIV_PACKAGE_DIR})
  add_test(NAME package.installer
           COMMAND ${PROJECT_SOURCE_DIR}/tests/package/installer_test.sh ${CMAKE_BINARY_DIR}/wine-package
                   ${KIV_WIN_BINARY_DIR} ${KIV_PACKAGE_DIR})
  # After the other sessions' set-up, so that they do not race for an X display.
  set_tests_properties(package.installer PROPERTIES TIMEOUT 300 DEPENDS "wine.setup;wine.clang.setup")

  # Last in the session: after tens of thousands of icons made and freed,
  # Wine hands out window handles with their top bit set and returns some of
  # them without the sign extension, which the other tests trip over.
  kiv_wine_test(win.tray_leaks ${KIV_WIN_BINARY_DIR}/kiv_win_tests.exe --gtest_also_run_disabled_tests
                --gtest_filter=*SeventyThousand*)
  set_tests_properties(win.tray_leaks PROPERTIES DEPENDS "win.inprocess;win.end_to_end;win.end_to_end.midnight")
endif()

# The marked-days benchmark (scripts/bench.sh): the reader and the index
# built optimised and without the sanitizers.
file(GLOB KIV_MARKED_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/markeddays/*.cpp)
list(FILTER KIV_MARKED_SOURCES EXCLUDE REGEX "(_win|_main)\\.cpp$")
list(APPEND KIV_MARKED_SOURCES ${PROJECT_SOURCE_DIR}/calendar/date_time.cpp)
add_executable(marked_days_bench bench/marked_days_bench_main.cpp ${KIV_MARKED_SOURCES})
target_include_directories(marked_days_bench PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(marked_days_bench PRIVATE -O2 -DNDEBUG)
kiv_warnings(marked_days_bench)

# A libFuzzer target for the calendar-file reader, built with the native
# clang (whatever compiles the rest) when it can make one: its runtime comes
# with Debian's libclang-rt-dev. A bounded run is part of the tests; what it
# finds goes to the build tree, never into the seed corpus.
find_program(KIV_FUZZ_CXX NAMES clang++)
if(KIV_FUZZ_CXX AND NOT DEFINED KIV_FUZZ_WORKS)
  set(probe ${CMAKE_BINARY_DIR}/CMakeFiles/fuzz_probe.cpp)
  file(WRITE ${probe} "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(COMMAND ${KIV_FUZZ_CXX} -fsanitize=fuzzer,address,undefined ${probe}
                          -o ${CMAKE_BINARY_DIR}/CMakeFiles/fuzz_probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(KIV_FUZZ_WORKS ON CACHE INTERNAL "clang++ links libFuzzer targets")
  else()
    set(KIV_FUZZ_WORKS OFF CACHE INTERNAL "clang++ links libFuzzer targets")
    message(STATUS "No libFuzzer with ${KIV_FUZZ_CXX}: the reader's fuzz test is left out")
  endif()
endif()
if(KIV_FUZZ_WORKS)
  set(fuzz_sources ${KIV_MARKED_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/ics_reader_fuzz.cpp)
  file(GLOB fuzz_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/markeddays/*.h)
  set(fuzz_work ${CMAKE_BINARY_DIR}/fuzz)
  set(fuzz_exe ${fuzz_work}/ics_reader_fuzz)
  add_custom_command(OUTPUT ${fuzz_exe}
    COMMAND ${KIV_FUZZ_CXX} -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
            -Wall -Wextra -Wpedantic -Wshadow -Werror -I${PROJECT_SOURCE_DIR}
            ${fuzz_sources} -o ${fuzz_exe}
    DEPENDS ${fuzz_sources} ${fuzz_headers} ${PROJECT_SOURCE_DIR}/calendar/date_time.h
    COMMENT "Building the calendar-file fuzzer with ${KIV_FUZZ_CXX}")
  add_custom_target(ics_reader_fuzz ALL DEPENDS ${fuzz_exe})
  file(MAKE_DIRECTORY ${fuzz_work}/corpus ${fuzz_work}/artifacts)
  add_test(NAME fuzz.ics_reader
           COMMAND ${fuzz_exe} -max_total_time=45 -max_len=4096 -timeout=10 -rss_limit_mb=2048
                   -dict=${PROJECT_SOURCE_DIR}/tests/fuzz/ics.dict -artifact_prefix=${fuzz_work}/artifacts/
                   ${fuzz_work}/corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus)
  set_tests_properties(fuzz.ics_reader PROPERTIES TIMEOUT 120)
endif()
