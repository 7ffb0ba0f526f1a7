# velmora_warnings: the warning flags every target of the project builds with.
add_library(velmora_warnings INTERFACE)
if(MSVC)
    target_compile_options(velmora_warnings INTERFACE /W4)
else()
    target_compile_options(velmora_warnings INTERFACE -Wall -Wextra -Wpedantic)
endif()
