# cmake -DLUPDATE=<lupdate> -DSOURCES=<src folder> -DCATALOGUE_DIR=<translations folder> -DWORK=<scratch folder>
#       -P catalogue_current.cmake
#
# Fails when a catalogue in the tree is not what the sources make of it: a text added, changed or
# removed without the target 'translations' having been built since. Copies of the catalogues are
# brought up to date the way that target does it and compared with the tree's.
file(GLOB catalogues ${CATALOGUE_DIR}/vantrel_*.ts)
if(NOT catalogues)
    message(FATAL_ERROR "no catalogue in ${CATALOGUE_DIR}")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(CATALOGUES)
foreach(catalogue ${catalogues})
    file(COPY ${catalogue} DESTINATION ${WORK})
    get_filename_component(name ${catalogue} NAME)
    list(APPEND CATALOGUES ${WORK}/${name})
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/RefreshCatalogues.cmake)

set(stale)
foreach(catalogue ${catalogues})
    get_filename_component(name ${catalogue} NAME)
    file(READ ${catalogue} in_tree)
    file(READ ${WORK}/${name} from_sources)
    if(NOT in_tree STREQUAL from_sources)
        execute_process(COMMAND diff -u ${catalogue} ${WORK}/${name})
        list(APPEND stale ${name})
    endif()
endforeach()
if(stale)
    message(FATAL_ERROR "out of date with the sources: ${stale}. "
                        "Build the target 'translations' and commit the catalogues.")
endif()
