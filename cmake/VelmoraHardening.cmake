# velmora_hardening: the hardening the program ships with, for the targets
# that make it up.
# - Linux: what Debian builds its packages with: stack protector, fortified
#   C library calls in optimised builds, stack-clash protection,
#   control-flow protection as the target processor has it (x86: CET;
#   arm64: pointer authentication and BTI), a position-independent
#   executable, full RELRO with immediate binding. Sanitizer builds go without: they instrument and
#   link on their own terms.
# - Windows: the stack protector (linked statically, as everything else),
#   ASLR (high-entropy on 64-bit), DEP and terminal-server awareness.
add_library(velmora_hardening INTERFACE)
# WebAssembly keeps code, stack and heap apart and checks every call's
# target by itself; none of the options below applies to it.
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize" OR EMSCRIPTEN)
    return()
endif()
target_compile_options(velmora_hardening INTERFACE -fstack-protector-strong)
if(WIN32)
    target_link_options(velmora_hardening INTERFACE
        -fstack-protector-strong -Wl,--dynamicbase,--nxcompat,--tsaware)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        target_link_options(velmora_hardening INTERFACE -Wl,--high-entropy-va)
    endif()
else()
    include(CheckPIESupported)
    check_pie_supported()
    target_compile_options(velmora_hardening INTERFACE -fstack-clash-protection)
    # Control-flow protection as the target processor has it.
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86|x86)$")
        target_compile_options(velmora_hardening INTERFACE -fcf-protection)
    elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
        target_compile_options(velmora_hardening INTERFACE -mbranch-protection=standard)
    endif()
    target_compile_definitions(velmora_hardening INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_link_options(velmora_hardening INTERFACE -Wl,-z,relro,-z,now)
    set_property(TARGET velmora_hardening PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
endif()
