# velmora_add_web_site(<program> <folder>): the web version's site in
# <folder>, a folder of static files with relative addresses: the page,
# with the window and its stylesheet in it, the program's module (<program>.js, with the page's script
# linked in ahead of it, and <program>.wasm, linked there), the web app
# manifest with its icons, the service worker that keeps it all for
# offline use, and gzip copies of the files that compress. The target
# <program>_site makes it, and <program>_site_zip (not built by default) the
# ZIP to ship, velmora-<version>-web.zip in the build folder.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# The window's colours, which the manifest gives the browser for the title
# bar and the splash screen.
set(VELMORA_WEB_TITLE_BAR_COLOUR "#1f4e8c")
set(VELMORA_WEB_FACE_COLOUR "#f0f0f0")
# The window's title, from its layout: the page's title before the module
# runs, and the app's description.
file(STRINGS "${PROJECT_SOURCE_DIR}/ui/layout.h" window_row REGEX "\"frmVelmora\", \"[^\"]+\"")
string(REGEX REPLACE ".*\"frmVelmora\", \"([^\"]+)\".*" "\\1" VELMORA_WEB_TITLE "${window_row}")
if(NOT VELMORA_WEB_TITLE)
    message(FATAL_ERROR "No window title found in ui/layout.h")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/ui/layout.h")
# What search engines show of the page: the project's description.
string(TOLOWER "${PROJECT_DESCRIPTION}" VELMORA_WEB_DESCRIPTION)

function(velmora_add_web_site program site)
    set(sources "${PROJECT_SOURCE_DIR}/ui/web/site")
    set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${site}")
    # One script for the page to fetch, not two.
    target_link_options(${program} PRIVATE "SHELL:--pre-js ${sources}/page.js")
    set_property(TARGET ${program} APPEND PROPERTY LINK_DEPENDS "${sources}/page.js")
    configure_file("${sources}/velmora.webmanifest.in" "${site}/velmora.webmanifest" @ONLY)
    # The page, with what the web front end writes of the window put in.
    foreach(file index.html velmora.css)
        configure_file("${sources}/${file}.in" "${CMAKE_CURRENT_BINARY_DIR}/${file}" @ONLY)
    endforeach()
    set(make_page "${PROJECT_SOURCE_DIR}/cmake/make_web_page.py")
    add_custom_command(OUTPUT "${site}/index.html"
        COMMAND Python3::Interpreter "${make_page}" "${CMAKE_CURRENT_BINARY_DIR}/index.html"
                "${CMAKE_CURRENT_BINARY_DIR}/velmora.css" "${site}/index.html"
                ${CMAKE_CROSSCOMPILING_EMULATOR} "$<TARGET_FILE:velmora_write_page>"
        DEPENDS velmora_write_page "${make_page}" "${CMAKE_CURRENT_BINARY_DIR}/index.html"
                "${CMAKE_CURRENT_BINARY_DIR}/velmora.css"
        VERBATIM)

    # The icons, from the window icon's pixel data as the desktop ones.
    set(make_icons "${PROJECT_SOURCE_DIR}/packaging/icons/make_icons.py")
    set(icon_data "${PROJECT_SOURCE_DIR}/ui/icon.h")
    string(SUBSTRING "${VELMORA_WEB_TITLE_BAR_COLOUR}" 1 -1 background)
    set(icons icon-192.png icon-512.png icon-maskable-512.png)
    foreach(icon IN LISTS icons)
        if(icon MATCHES "maskable-([0-9]+)")
            set(arguments --maskable ${CMAKE_MATCH_1} "${background}")
        else()
            string(REGEX MATCH "[0-9]+" size "${icon}")
            set(arguments --png ${size})
        endif()
        add_custom_command(OUTPUT "${site}/${icon}"
            COMMAND Python3::Interpreter "${make_icons}" "${icon_data}" ${arguments} "${site}/${icon}"
            DEPENDS "${make_icons}" "${icon_data}" VERBATIM)
    endforeach()

    # What the service worker keeps, and what it is made from.
    set(files index.html ${program}.js ${program}.wasm velmora.webmanifest ${icons})
    string(REPLACE ";" "," file_names "${files}")  # one argument on the command line
    list(TRANSFORM files PREPEND "${site}/" OUTPUT_VARIABLE paths)
    set(worker "${site}/service-worker.js")
    add_custom_command(OUTPUT "${worker}"
        COMMAND "${CMAKE_COMMAND}" "-DSITE=${site}" "-DFILES=${file_names}"
                "-DTEMPLATE=${sources}/service-worker.js.in" "-DOUTPUT=${worker}"
                -P "${PROJECT_SOURCE_DIR}/cmake/make_service_worker.cmake"
        DEPENDS ${program} ${paths} "${sources}/service-worker.js.in"
                "${PROJECT_SOURCE_DIR}/cmake/make_service_worker.cmake"
        VERBATIM)
    # Beside each file that compresses, its gzip copy, for hosts that send
    # it to browsers that take it (-n: no name or time, the same bytes on
    # every build).
    set(compressible index.html ${program}.js ${program}.wasm velmora.webmanifest service-worker.js)
    list(TRANSFORM compressible PREPEND "${site}/" OUTPUT_VARIABLE originals)
    list(TRANSFORM originals APPEND ".gz" OUTPUT_VARIABLE compressed)
    list(TRANSFORM compressible APPEND ".gz" OUTPUT_VARIABLE compressed_names)
    string(REPLACE ";" "," compressed_names "${compressed_names}")
    add_custom_command(OUTPUT ${compressed}
        COMMAND gzip -9 -n -k -f ${originals}
        DEPENDS "${worker}" ${originals} VERBATIM)
    add_custom_target(${program}_site ALL DEPENDS "${worker}" ${compressed})

    set(name "velmora-${PROJECT_VERSION}-web")
    set(zip "${PROJECT_BINARY_DIR}/${name}.zip")
    add_custom_command(OUTPUT "${zip}"
        COMMAND "${CMAKE_COMMAND}" "-DSITE=${site}" "-DFILES=${file_names},service-worker.js,${compressed_names}"
                "-DNAME=${name}" "-DOUTPUT=${zip}"
                "-DSOURCE_DATE_EPOCH=${VELMORA_SOURCE_DATE_EPOCH}"
                -P "${PROJECT_SOURCE_DIR}/cmake/make_site_zip.cmake"
        DEPENDS "${worker}" ${compressed} "${PROJECT_SOURCE_DIR}/cmake/make_site_zip.cmake" VERBATIM)
    add_custom_target(${program}_site_zip DEPENDS "${zip}")  # a packaging step
    add_dependencies(${program}_site_zip ${program}_site)  # which makes the worker, alone
endfunction()
