# The release being built: its number is project()'s, its date and history
# are CHANGELOG.md's, which must have an entry for it. Sets
#   VELMORA_RELEASE_DATE    YYYY-MM-DD, and VELMORA_RELEASE_MONTH "December 2026"
#   VELMORA_VERSION_NUMBERS the version as Windows' four numbers, "1,0,0,0"
#   VELMORA_NEXT_VERSION    the release after this one, for upgrade tests
#   VELMORA_MAINTAINER      who the packages name as their maker
# and writes the release history as a Debian changelog and as AppStream's
# <releases> element (VELMORA_DEBIAN_CHANGELOG, VELMORA_APPSTREAM_RELEASES).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VELMORA_MAINTAINER "The Velmora developers <velmora@users.noreply.github.com>")
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

# The next release: the last number one up, as wide as it is now.
string(REGEX MATCH "^(.*[^0-9])?([0-9]+)$" last "${PROJECT_VERSION}")
set(head "${CMAKE_MATCH_1}")
string(LENGTH "${CMAKE_MATCH_2}" width)
math(EXPR next "${CMAKE_MATCH_2} + 1")
string(LENGTH "${next}" next_width)
while(next_width LESS width)
    string(PREPEND next 0)
    math(EXPR next_width "${next_width} + 1")
endwhile()
set(VELMORA_NEXT_VERSION "${head}${next}")

# For the scripts that package and test a release, which read no CMake.
file(WRITE "${PROJECT_BINARY_DIR}/release/version.env"
     "VERSION=${PROJECT_VERSION}\nNEXT_VERSION=${VELMORA_NEXT_VERSION}\n")
