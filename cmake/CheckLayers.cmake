# Fails when a file of a folder without window code includes a Qt header or a header
# of a window folder. Run as a test: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
#
# The folders of the logic library and the batch calculator hold standard C++ only;
# the window program's folders build on them, never the other way round.
set(QT_FREE_FOLDERS core advice strings reports files io cli plan)
set(UI_FOLDERS app tabs windows widgets pictures)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

list(JOIN UI_FOLDERS "|" ui)
set(bad_include "^[ \t]*#[ \t]*include[ \t]*(<Q[A-Za-z0-9_/]*(\\.h)?>|<Qt[A-Za-z0-9_/]*>|\"(${ui})/)")
set(found "")
set(checked 0)
foreach(folder ${QT_FREE_FOLDERS})
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(f ${files})
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(line MATCHES "${bad_include}")
        file(RELATIVE_PATH rel "${SOURCE_DIR}" "${f}")
        string(APPEND found "\n  ${rel}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no source file found below ${SOURCE_DIR}")
endif()
if(found)
  message(FATAL_ERROR "Qt or window headers in folders without window code:${found}")
endif()
message(STATUS "${checked} files of ${QT_FREE_FOLDERS} include no Qt or window header")
