# Fails when the program imports comdlg32 (it is loaded when a common dialog
# is first wanted: at start it brings the printing system with it) or links
# the C++ library's locale, stream or file-system parts (several hundred
# kilobytes). Reads the exe with the MinGW-w64 binutils and says SKIPPED
# without them (an MSVC build).
# Usage: cmake -DEXE=path/KivCalendar.exe -P CheckLeanExe.cmake
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "no program at ${EXE}")
endif()
find_program(KIV_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump)
find_program(KIV_NM NAMES x86_64-w64-mingw32-nm nm)
if(KIV_OBJDUMP AND KIV_NM)
  execute_process(COMMAND ${KIV_OBJDUMP} -p ${EXE} RESULT_VARIABLE failed OUTPUT_VARIABLE headers ERROR_QUIET)
endif()
if(NOT KIV_OBJDUMP OR NOT KIV_NM OR failed OR NOT headers MATCHES "DLL Name:")
  message("SKIPPED: no MinGW-w64 binutils that read ${EXE}")
  return()
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" dlls "${headers}")
message("imports: ${dlls}")
set(faults)
if(headers MATCHES "DLL Name: [Cc][Oo][Mm][Dd][Ll][Gg]32")
  list(APPEND faults "imports comdlg32.dll")
endif()

# A linked program keeps its symbols (a Debug build) or at least the type
# names of the C++ runtime's classes, which a stripped one still holds.
execute_process(COMMAND ${KIV_NM} -C ${EXE} OUTPUT_VARIABLE symbols ERROR_QUIET)
string(REGEX MATCHALL "std::(locale|ios_base|basic_ios|basic_filebuf|filesystem::)[^\r\n]*" linked "${symbols}")
file(STRINGS ${EXE} type_names REGEX "St(6locale|8ios_base|9basic_ios|13basic_filebuf|10filesystem)")
list(APPEND linked ${type_names})
if(linked)
  list(LENGTH linked count)
  list(SUBLIST linked 0 3 some)
  list(APPEND faults "links the C++ locale, stream or file-system machinery (${count} names, e.g. ${some})")
endif()
if(faults)
  message(FATAL_ERROR "${EXE}: ${faults}")
endif()
