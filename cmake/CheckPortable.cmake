# Fails when a portable source (one not named *_win.*) includes <windows.h>.
file(GLOB_RECURSE files ${ROOT}/app/* ${ROOT}/calendar/* ${ROOT}/trayicon/* ${ROOT}/options/*
     ${ROOT}/help/* ${ROOT}/widgets/* ${ROOT}/resources/* ${ROOT}/settings/* ${ROOT}/markeddays/*)
set(bad)
foreach(f IN LISTS files)
  if(f MATCHES "_win\\.(h|cpp)$" OR NOT f MATCHES "\\.(h|cpp)$")
    continue()
  endif()
  file(STRINGS ${f} hits REGEX "#[ \t]*include[ \t]*[<\"](windows|commctrl|shellapi|winuser)\\.h")
  if(hits)
    list(APPEND bad ${f})
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "portable files include the window system: ${bad}")
endif()

