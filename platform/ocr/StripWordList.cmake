# Copies tesseract script data without its word list.
#   cmake -DSOURCE=<traineddata> -DTARGET=<traineddata> -DWORK=<folder> -DTOOL=<combine_tessdata> -P StripWordList.cmake
get_filename_component(name ${SOURCE} NAME_WE)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${TOOL} -u ${SOURCE} ${WORK}/${name}. RESULT_VARIABLE unpacked OUTPUT_QUIET ERROR_QUIET)
file(REMOVE ${WORK}/${name}.lstm-word-dawg)
execute_process(COMMAND ${TOOL} ${WORK}/${name}. RESULT_VARIABLE combined OUTPUT_QUIET ERROR_QUIET)
if(NOT unpacked EQUAL 0 OR NOT combined EQUAL 0 OR NOT EXISTS ${WORK}/${name}.traineddata)
    message(FATAL_ERROR "cannot repack ${SOURCE} without its word list")
endif()
file(COPY_FILE ${WORK}/${name}.traineddata ${TARGET})
file(REMOVE_RECURSE ${WORK})
