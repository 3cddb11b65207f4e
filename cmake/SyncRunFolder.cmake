# Copies the pristine data tree PRISTINE into the run folder RUN.
# Files that hold the player's state are only filled in when missing (or, with
# RESTORE=ON, put back); all other files follow the pristine tree.
# Usage: cmake -DPRISTINE=dir -DRUN=dir [-DRESTORE=ON] -P SyncRunFolder.cmake

function(is_player_file relative result)
  if(relative MATCHES "^Layouts/" OR relative MATCHES "^Saves/"
     OR relative MATCHES "^Data/(Options|PlayGame|Help[123])\\.dat$")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(MAKE_DIRECTORY ${RUN})
foreach(folder Data Graphics Layouts Saves Sounds)
  file(MAKE_DIRECTORY ${RUN}/${folder})
endforeach()

if(NOT IS_DIRECTORY ${PRISTINE})
  return()
endif()

if(RESTORE)
  file(GLOB_RECURSE saves LIST_DIRECTORIES false ${RUN}/Saves/*)
  if(saves)
    file(REMOVE ${saves})
  endif()
endif()

file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE ${PRISTINE} ${PRISTINE}/*)
foreach(relative ${folders})
  if(IS_DIRECTORY ${PRISTINE}/${relative})
    file(MAKE_DIRECTORY ${RUN}/${relative})
  endif()
endforeach()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${PRISTINE} ${PRISTINE}/*)
foreach(relative ${files})
  is_player_file(${relative} player)
  if(player AND EXISTS ${RUN}/${relative} AND NOT RESTORE)
    continue()
  endif()
  file(COPY_FILE ${PRISTINE}/${relative} ${RUN}/${relative} ONLY_IF_DIFFERENT)
endforeach()
