# Installs the library, builds the consumer project against the installed
# tree and runs it under Wine: the value it prints must be the one it set.
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
if(NOT out MATCHES "alteration 37")
  message(FATAL_ERROR "the consumer printed: ${out}")
endif()
