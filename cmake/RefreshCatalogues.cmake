# cmake -DLUPDATE=<lupdate> -DSOURCES=<src folder> -DCATALOGUES=<a.ts;b.ts> -P RefreshCatalogues.cmake
#
# Brings each catalogue up to date with the texts in the sources: new texts are added (unfinished),
# texts gone from the sources are kept as obsolete so that a translator's work is not lost. The
# catalogues carry no line numbers: an edit elsewhere in a file leaves them as they are, so only a
# change of a text makes them stale. Any warning of lupdate (a text it cannot read, tr() in a class
# it cannot place) fails the run.
foreach(variable LUPDATE SOURCES CATALOGUES)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "RefreshCatalogues.cmake needs -D${variable}=...")
    endif()
endforeach()

execute_process(
    COMMAND ${LUPDATE} -silent -locations none -no-ui-lines -extensions cpp,h -source-language zh_CN
            ${SOURCES} -ts ${CATALOGUES}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "lupdate failed (${result}):\n${output}${errors}")
endif()
