# Checks every layout file in FOLDER with TOOL; says so (and the test is
# counted as skipped) when the folder has not been built yet.
file(GLOB layouts ${FOLDER}/*)
if(NOT layouts)
  message("no layouts in ${FOLDER} yet")
  return()
endif()
execute_process(COMMAND ${TOOL} check ${layouts} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "layouts in ${FOLDER} fail their check")
endif()
