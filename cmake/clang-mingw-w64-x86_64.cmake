# Cross-compiling for 64-bit Windows with clang and lld, on MinGW-w64's
# headers and import libraries and the C++ library of its posix-thread GCC.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KIV_MINGW_PREFIX x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES clang REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++ REQUIRED)
set(CMAKE_C_COMPILER_TARGET ${KIV_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${KIV_MINGW_PREFIX})
find_program(CMAKE_RC_COMPILER NAMES ${KIV_MINGW_PREFIX}-windres REQUIRED)
find_program(CMAKE_AR NAMES ${KIV_MINGW_PREFIX}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES ${KIV_MINGW_PREFIX}-ranlib REQUIRED)

# clang does not recognise Debian's "12-posix" folder as a GCC version, so
# the folder of the C++ library is asked of that GCC and named outright.
find_program(KIV_MINGW_GXX NAMES ${KIV_MINGW_PREFIX}-g++-posix REQUIRED)
execute_process(COMMAND ${KIV_MINGW_GXX} -print-libgcc-file-name
                OUTPUT_VARIABLE kiv_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(KIV_MINGW_GCC_DIR ${kiv_libgcc} DIRECTORY)
set(kiv_cxx_include ${KIV_MINGW_GCC_DIR}/include/c++)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${kiv_cxx_include} -isystem ${kiv_cxx_include}/${KIV_MINGW_PREFIX} -isystem ${kiv_cxx_include}/backward")

set(CMAKE_FIND_ROOT_PATH /usr/${KIV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable, as with GCC. The build adds winpthread to
# the standard libraries (see WindowsBuild.cmake).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -static -L${KIV_MINGW_GCC_DIR}")
