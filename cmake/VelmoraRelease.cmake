# The release being built: its number is project()'s, its date and history
# are CHANGELOG.md's, which must have an entry for it. Sets
#   VELMORA_RELEASE_DATE    YYYY-MM-DD, and VELMORA_RELEASE_MONTH "December 2026"
#   VELMORA_VERSION_NUMBERS the version as Windows' four numbers, "1,0,0,0"
#   VELMORA_PUBLISHER       who makes Velmora, as packages and installers name them
#   VELMORA_MAINTAINER      the same with an address, as Debian's packages want
# and writes the release history as a Debian changelog and as AppStream's
# <releases> element (VELMORA_DEBIAN_CHANGELOG, VELMORA_APPSTREAM_RELEASES).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VELMORA_PUBLISHER "The Velmora developers")
set(VELMORA_MAINTAINER "${VELMORA_PUBLISHER} <velmora@users.noreply.github.com>")
set(changelog "${PROJECT_SOURCE_DIR}/CHANGELOG.md")
set(reader "${PROJECT_SOURCE_DIR}/packaging/changelog.py")
set(VELMORA_DEBIAN_CHANGELOG "${PROJECT_BINARY_DIR}/release/changelog")
set(appstream "${PROJECT_BINARY_DIR}/release/releases.xml")
file(MAKE_DIRECTORY "${PROJECT_BINARY_DIR}/release")
execute_process(
    COMMAND "${Python3_EXECUTABLE}" "${reader}" "${changelog}" --version "${PROJECT_VERSION}"
            --maintainer "${VELMORA_MAINTAINER}" --debian "${VELMORA_DEBIAN_CHANGELOG}" --appstream "${appstream}"
    OUTPUT_VARIABLE VELMORA_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_VARIABLE error ERROR_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Velmora ${PROJECT_VERSION}: ${error}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${changelog}" "${reader}")
file(READ "${appstream}" VELMORA_APPSTREAM_RELEASES)

string(REGEX MATCH "^([0-9]+)-([0-9]+)" date "${VELMORA_RELEASE_DATE}")
math(EXPR month "${CMAKE_MATCH_2} - 1")  # 08 is read as eight
set(months January February March April May June July August September October November December)
list(GET months ${month} name)
set(VELMORA_RELEASE_MONTH "${name} ${CMAKE_MATCH_1}")

# The version has two numbers or more; Windows wants four, without leading
# zeros.
set(VELMORA_VERSION_NUMBERS)
foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
        set(number 0)
    endif()
    math(EXPR number "${number}")
    list(APPEND VELMORA_VERSION_NUMBERS ${number})
endforeach()
list(JOIN VELMORA_VERSION_NUMBERS "," VELMORA_VERSION_NUMBERS)

# For the scripts that package a release, which read no CMake.
file(WRITE "${PROJECT_BINARY_DIR}/release/release.env"
     "VERSION='${PROJECT_VERSION}'\nDESCRIPTION='${PROJECT_DESCRIPTION}'\n"
     "HOMEPAGE_URL='${PROJECT_HOMEPAGE_URL}'\nPUBLISHER='${VELMORA_PUBLISHER}'\n")
