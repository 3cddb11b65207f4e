# Compiles every layout text of SOURCES into WORK with TOOL, checks the
# compiled files, and checks that decompiling and compiling again gives the
# same bytes.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/again)
file(GLOB texts ${SOURCES}/*.txt)
if(NOT texts)
  message(FATAL_ERROR "no layouts in ${SOURCES}")
endif()
set(compiled)
foreach(text ${texts})
  get_filename_component(name ${text} NAME_WE)
  execute_process(COMMAND ${TOOL} compile ${text} ${WORK}/${name} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "compiling ${text} failed")
  endif()
  list(APPEND compiled ${WORK}/${name})
  execute_process(COMMAND ${TOOL} decompile ${WORK}/${name} OUTPUT_FILE ${WORK}/again/${name}.txt
                  RESULT_VARIABLE status)
  execute_process(COMMAND ${TOOL} compile ${WORK}/again/${name}.txt ${WORK}/again/${name}
                  RESULT_VARIABLE status2)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${WORK}/again/${name}
                  RESULT_VARIABLE same)
  if(NOT status EQUAL 0 OR NOT status2 EQUAL 0 OR NOT same EQUAL 0)
    message(FATAL_ERROR "${name} does not survive decompiling and compiling again")
  endif()
endforeach()
execute_process(COMMAND ${TOOL} check ${compiled} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the compiled layouts fail their check")
endif()
