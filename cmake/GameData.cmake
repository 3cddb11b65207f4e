# Builds the run folder build/game: the game with its data tree beside it.
# The generators write a pristine tree into build/pristine; SyncRunFolder then
# copies it into build/game without ever replacing what belongs to the player
# (options, last game choice, help flags, layouts with their records, saves).

file(GLOB layout_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/layouts/*.txt)
file(GLOB_RECURSE text_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/text/*)

set(data_outputs)
if(TARGET velmora-layout)
  foreach(source ${layout_sources})
    get_filename_component(name ${source} NAME_WE)
    set(out ${VELMORA_PRISTINE_DIR}/Layouts/${name})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_PRISTINE_DIR}/Layouts
      COMMAND velmora-layout compile ${source} ${out}
      DEPENDS velmora-layout ${source}
      COMMENT "Compiling layout ${name}")
    list(APPEND data_outputs ${out})
  endforeach()
endif()

if(TARGET velmora-assets)
  set(assets_stamp ${CMAKE_BINARY_DIR}/assets.stamp)
  add_custom_command(OUTPUT ${assets_stamp}
    COMMAND velmora-assets ${VELMORA_PRISTINE_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${assets_stamp}
    DEPENDS velmora-assets ${text_sources}
    COMMENT "Generating the game's pictures, fonts, sounds and data files")
  list(APPEND data_outputs ${assets_stamp})
endif()

set(sync_stamp ${CMAKE_BINARY_DIR}/rundir.stamp)
add_custom_command(OUTPUT ${sync_stamp}
  COMMAND ${CMAKE_COMMAND} -DPRISTINE=${VELMORA_PRISTINE_DIR} -DRUN=${VELMORA_RUN_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/SyncRunFolder.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${sync_stamp}
  DEPENDS ${data_outputs} ${PROJECT_SOURCE_DIR}/cmake/SyncRunFolder.cmake
  COMMENT "Filling the run folder ${VELMORA_RUN_DIR}")
add_custom_target(game_data ALL DEPENDS ${sync_stamp})

# Puts the player's files back to their pristine state (make restore-data).
add_custom_target(restore_data
  COMMAND ${CMAKE_COMMAND} -DPRISTINE=${VELMORA_PRISTINE_DIR} -DRUN=${VELMORA_RUN_DIR} -DRESTORE=ON
          -P ${PROJECT_SOURCE_DIR}/cmake/SyncRunFolder.cmake
  DEPENDS ${data_outputs})
