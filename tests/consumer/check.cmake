# Installs the library, builds the consumer project against the installed
# tree and runs it under Wine: the values it prints must be the ones it set.
#   cmake -DBUILD=dir -DSOURCE=dir -DTOOLCHAIN=file -DSESSION=dir -P check.cmake
set(work ${BUILD}/consumer)
file(REMOVE_RECURSE ${work})
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN}\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${work}/install)
run(${CMAKE_COMMAND} -S ${SOURCE}/tests/consumer -B ${work}/build -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
    -DCMAKE_PREFIX_PATH=${work}/install -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${work}/install/bin)
run(${CMAKE_COMMAND} --build ${work}/build)
run(${SOURCE}/scripts/wine-session ${SESSION} run ${work}/install/bin/consumer.exe 37)
# The grade method it set must reach its window through the change message.
if(NOT out MATCHES "alteration 37" OR NOT out MATCHES "cut files go to [A-Za-z]:"
   OR NOT out MATCHES "set: grade method ([0-9])")
  message(FATAL_ERROR "the consumer printed: ${out}")
endif()
if(NOT out MATCHES "told: grade method ${CMAKE_MATCH_1}")
  message(FATAL_ERROR "the change message did not arrive: ${out}")
endif()
