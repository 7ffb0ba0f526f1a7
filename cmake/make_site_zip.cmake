# Packs the site's files into <name>.zip, as one folder <name>: in the order
# of their names, each readable by all and writable by its owner,
# dated SOURCE_DATE_EPOCH, so that two builds of one commit give the same
# bytes on any machine (a folder's own order depends on the file system).
# cmake -DSITE=<folder> -DFILES=<file,...> -DNAME=<name> -DOUTPUT=<zip> -DSOURCE_DATE_EPOCH=<seconds>
#       -P make_site_zip.cmake
get_filename_component(work "${OUTPUT}.staging" ABSOLUTE)
file(REMOVE_RECURSE "${work}")
string(REPLACE "," ";" files "${FILES}")
list(SORT files)
set(entries)
foreach(file IN LISTS files)
    get_filename_component(folder "${NAME}/${file}" DIRECTORY)
    file(COPY "${SITE}/${file}" DESTINATION "${work}/${folder}"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    list(APPEND entries "${NAME}/${file}")
endforeach()
# cmake's archives take every time stamp from SOURCE_DATE_EPOCH, and a ZIP
# holds local times: those of UTC, wherever it is made.
set(date)
if(SOURCE_DATE_EPOCH)
    set(date "SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH}")
endif()
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC ${date}
                        "${CMAKE_COMMAND}" -E tar cf "${OUTPUT}" --format=zip -- ${entries}
                WORKING_DIRECTORY "${work}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${work}")
