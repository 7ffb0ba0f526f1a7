# Builds Velmora's Windows Installer package with wixl from velmora.wxs.
# Usage: cmake -DVERSION=1.00 -DARCH=x86|x64 -DEXE=<Velmora.exe> -DICON=<.ico>
#              -DSTRIP=<strip> -DOUTPUT=<.msi> -DSOURCE_DATE_EPOCH=<seconds>
#              -DPUBLISHER=<name> -DDESCRIPTION=<text> -DHOMEPAGE=<address>
#              -P make_msi.cmake
# Velmora.exe and the package are signed where codesign.cmake has a key.
# The upgrade code and the component GUIDs are fixed for each architecture:
# Windows Installer knows the program by them across versions. The product
# code follows the version, and the package code what the package holds:
# two packages with the same code must be the same package.
#
# wixl writes the clock's time and a random package code into the summary
# information; so that one commit builds one package, byte for byte, it runs
# at SOURCE_DATE_EPOCH under faketime, and msibuild then writes the derived
# package code over the random one.
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
find_program(MSIINFO msiinfo REQUIRED)
find_program(FAKETIME faketime REQUIRED)
include("${CMAKE_CURRENT_LIST_DIR}/codesign.cmake")
set(namespace 6f1c3e1a-4d2b-5a8e-9c71-2b0d5e8f4a36)
if(ARCH STREQUAL "x64")
    set(upgrade_code 3C9E7A52-1F4B-4D86-B0A3-7E2D91C5F804)
    set(program_component 8A41D6F3-25C7-4E19-9B52-D07E3A6C1F95)
    set(shortcut_component 5E7B2C94-A318-4F6D-8C05-91D4F2B7E6A3)
elseif(ARCH STREQUAL "x86")
    set(upgrade_code 9B2F4E81-6A3C-4D57-A1E9-C45B07D2F318)
    set(program_component 2D8C5A17-E94B-4F30-B6D2-1A7F9E3C5B84)
    set(shortcut_component C7A3E915-4B62-4D8F-9E17-6F2B3D0A8C51)
else()
    message(FATAL_ERROR "ARCH must be x86 or x64, not '${ARCH}'")
endif()
string(UUID product_code NAMESPACE ${namespace} NAME "product ${ARCH} ${VERSION}" TYPE SHA1 UPPER)
# wixl takes source files by paths relative to the .wxs file only.
get_filename_component(output "${OUTPUT}" ABSOLUTE)
set(stage "${output}.files")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY "${CMAKE_CURRENT_LIST_DIR}/velmora.wxs" DESTINATION "${stage}")
file(COPY_FILE "${EXE}" "${stage}/Velmora.exe")
# strip stamps the PE header afresh: with SOURCE_DATE_EPOCH where there is one.
set(strip_env "${CMAKE_COMMAND}" -E env)
if(SOURCE_DATE_EPOCH)
    list(APPEND strip_env SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH})
endif()
execute_process(COMMAND ${strip_env} "${STRIP}" "${stage}/Velmora.exe" COMMAND_ERROR_IS_FATAL ANY)
velmora_codesign("${stage}/Velmora.exe" "${HOMEPAGE}" "${SOURCE_DATE_EPOCH}")
file(COPY_FILE "${ICON}" "${stage}/velmora.ico")
set(contents "package ${ARCH} ${VERSION} ${PUBLISHER} ${DESCRIPTION} ${HOMEPAGE}")
foreach(file velmora.wxs Velmora.exe velmora.ico)
    file(SHA256 "${stage}/${file}" hash)
    string(APPEND contents " ${hash}")
endforeach()
string(UUID package_code NAMESPACE ${namespace} NAME "${contents}" TYPE SHA1 UPPER)
set(at_build_time)  # outside a git checkout, the clock's time
if(SOURCE_DATE_EPOCH)
    # The cabinet records each file's modification time.
    execute_process(COMMAND touch -d @${SOURCE_DATE_EPOCH} Velmora.exe velmora.ico
        WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND date -u -d @${SOURCE_DATE_EPOCH} "+%Y-%m-%d %H:%M:%S"
        OUTPUT_VARIABLE build_time OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(at_build_time "${CMAKE_COMMAND}" -E env TZ=UTC "${FAKETIME}" -f "${build_time}")
endif()
execute_process(
    COMMAND ${at_build_time} "${WIXL}" --arch ${ARCH} -o "${output}"
            -D Version=${VERSION} -D Arch=${ARCH} -D ExeFile=Velmora.exe -D IconFile=velmora.ico
            -D UpgradeCode=${upgrade_code} -D ProductCode=${product_code}
            -D Publisher=${PUBLISHER} -D Description=${DESCRIPTION} -D HomePage=${HOMEPAGE}
            -D ProgramComponent=${program_component} -D ShortcutComponent=${shortcut_component}
            velmora.wxs
    WORKING_DIRECTORY "${stage}" RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_VARIABLE errors)
file(REMOVE_RECURSE "${stage}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${OUTPUT}:\n${errors}")
endif()

# msibuild sets the subject, author and template along with the package
# code: it gets back what wixl wrote there.
execute_process(COMMAND "${MSIINFO}" suminfo "${output}" OUTPUT_VARIABLE summary COMMAND_ERROR_IS_FATAL ANY)
foreach(field Subject Author Template)
    string(REGEX MATCH "\n${field}: ([^\n]*)" line "\n${summary}")
    set(${field} "${CMAKE_MATCH_1}")
endforeach()
execute_process(
    COMMAND ${at_build_time} "${MSIBUILD}" "${output}" -s "${Subject}" "${Author}" "${Template}" "{${package_code}}"
    COMMAND_ERROR_IS_FATAL ANY)
velmora_codesign("${output}" "${HOMEPAGE}" "${SOURCE_DATE_EPOCH}")
