# Compiles the locales the tests read into LOCALE_DIR (used through LOCPATH).
# Usage: cmake -DLOCALE_DIR=<folder> [-DBYTE_ORDER=BIG_ENDIAN] -P generate_locales.cmake
# BYTE_ORDER: that of the machine the tests run on, which localedef writes
# its binary files in.
find_program(LOCALEDEF localedef REQUIRED)
set(byte_order --little-endian)
if(BYTE_ORDER STREQUAL "BIG_ENDIAN")
    set(byte_order --big-endian)
endif()
foreach(locale de_DE fr_FR de_CH en_IN en_US ps_AF)
    set(target "${LOCALE_DIR}/${locale}.UTF-8")
    if(EXISTS "${target}/LC_NUMERIC")
        continue()
    endif()
    file(MAKE_DIRECTORY "${target}")
    execute_process(
        COMMAND "${LOCALEDEF}" --no-archive ${byte_order} -i ${locale} -f UTF-8 "${target}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT EXISTS "${target}/LC_NUMERIC")
        message(FATAL_ERROR "localedef could not make ${locale}.UTF-8 (${result}):\n${output}")
    endif()
endforeach()
