# velmora_codesign(<file> <home page> <signing time, seconds since 1970>)
# Signs a Windows program or installer in place with Authenticode (SHA-256)
# where scripts/package.sh has given a certificate in the environment:
# VELMORA_CODESIGN_CERTS, the certificate and its chain, and
# VELMORA_CODESIGN_KEY, its key, both PEM. Nothing without them, as in the
# test builds. A fixed signing time makes one commit sign alike; where
# VELMORA_TIMESTAMP_URL names an RFC 3161 server, it countersigns the time.
function(velmora_codesign file homepage epoch)
    if("$ENV{VELMORA_CODESIGN_KEY}" STREQUAL "")
        return()
    endif()
    find_program(OSSLSIGNCODE osslsigncode REQUIRED)
    set(sign "${OSSLSIGNCODE}" sign -certs "$ENV{VELMORA_CODESIGN_CERTS}" -key "$ENV{VELMORA_CODESIGN_KEY}"
        -h sha256 -n Velmora -i "${homepage}")
    if(NOT epoch STREQUAL "")
        list(APPEND sign -time "${epoch}")
    endif()
    if(NOT "$ENV{VELMORA_TIMESTAMP_URL}" STREQUAL "")
        list(APPEND sign -ts "$ENV{VELMORA_TIMESTAMP_URL}")
    endif()
    file(REMOVE "${file}.signed")
    execute_process(COMMAND ${sign} -in "${file}" -out "${file}.signed"
        RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT result EQUAL 0)
        file(REMOVE "${file}.signed")
        message(FATAL_ERROR "osslsigncode could not sign ${file}:\n${said}")
    endif()
    file(RENAME "${file}.signed" "${file}")
endfunction()
