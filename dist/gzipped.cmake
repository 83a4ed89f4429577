# cmake -DINPUT=... -DOUTPUT=... -DGZIP=... [-DSCDOC=... -DEPOCH=...] -P gzipped.cmake
# Turns an scdoc source into a roff page (when SCDOC is given) and compresses it with
# gzip -9n, without name or time stamp, so the same source always gives the same bytes.
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
if(SCDOC)
  set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
  execute_process(COMMAND ${SCDOC} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}.roff
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "scdoc failed on ${INPUT}")
  endif()
  set(INPUT ${OUTPUT}.roff)
endif()
execute_process(COMMAND ${GZIP} -9n -c INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${INPUT}")
endif()
