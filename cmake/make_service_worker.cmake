# Writes the site's service worker from its template: the list of the site's
# files to cache, and a cache name made from their names and contents, so
# that every build that changes a file has a cache of its own.
# cmake -DSITE=<folder> -DFILES=<file,...> -DTEMPLATE=<in> -DOUTPUT=<js> -P make_service_worker.cmake
string(REPLACE "," ";" FILES "${FILES}")
set(digests "")
set(quoted "'./'")  # the folder's own address, which serves index.html
foreach(file IN LISTS FILES)
    file(SHA256 "${SITE}/${file}" digest)
    string(APPEND digests "${file} ${digest}\n")
    string(APPEND quoted ", '${file}'")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING "${build}" 0 16 build)
set(VELMORA_SITE_CACHE "velmora-${build}")
set(VELMORA_SITE_FILES "${quoted}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
