# Checks that the folders of src/ form layers that only point down. Run as a test:
#   cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
#
# LAYERS lists the folders lowest first. A file may include headers of its own folder
# and of any folder listed before it; an include of a folder listed after it points
# up and fails the check. The folders of the logic library and the batch calculator
# hold standard C++ only, so they include no Qt header either.
set(LAYERS
  text      # the formatter, ASCII helpers and the key list: standard library only
  core      # the calculation
  files     # reading and writing files, the settings file
  strings   # the language file and what formats quantities with it
  advice    # notes, warnings, operating conditions
  reports   # the pages, tables and charts the program shows and prints
  io        # CSV reading and writing, the rows of a plant list
  plan      # the plant plan
  cli       # the batch calculator
  sheets    # the route and label sheets: painted with QtGui alone (the build links
            # nothing else), and unctora-sheets, which draws for unctora-calc
  widgets   # window building blocks
  desktop   # the services windows and tabs use: messages, placement, printing, fonts
  pictures
  tabs
  windows
  app)      # the main window and the program
set(QT_FREE_FOLDERS text core files strings advice reports io plan cli)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(qt_include "^[ \t]*#[ \t]*include[ \t]*(<Q[A-Za-z0-9_/]*(\\.h)?>|<Qt[A-Za-z0-9_/]*>)")
set(project_include "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/([^\"]*)\"")
set(found "")
set(checked 0)
set(index 0)
foreach(folder ${LAYERS})
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  list(FIND QT_FREE_FOLDERS ${folder} qt_free)
  foreach(f ${files})
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH rel "${SOURCE_DIR}" "${f}")
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(qt_free GREATER -1 AND line MATCHES "${qt_include}")
        string(APPEND found "\n  ${rel}: ${line} (a Qt header in a folder without window code)")
      elseif(line MATCHES "${project_include}")
        set(target "${CMAKE_MATCH_1}")
        list(FIND LAYERS "${target}" target_index)
        if(target_index GREATER index)
          string(APPEND found "\n  ${rel}: ${line} (${target} is above ${folder})")
        endif()
      endif()
    endforeach()
  endforeach()
  math(EXPR index "${index} + 1")
endforeach()

# A folder missing from the list would escape the check.
file(GLOB entries RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(entry ${entries})
  if(IS_DIRECTORY "${SOURCE_DIR}/${entry}")
    list(FIND LAYERS "${entry}" listed)
    if(listed EQUAL -1)
      string(APPEND found "\n  ${entry}/: a folder not in the list of layers")
    endif()
  endif()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no source file found below ${SOURCE_DIR}")
endif()
if(found)
  message(FATAL_ERROR "includes that break the layers:${found}")
endif()
message(STATUS "${checked} files include only their own layer and the layers below it")
