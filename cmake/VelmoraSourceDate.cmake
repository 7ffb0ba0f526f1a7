# VELMORA_SOURCE_DATE_EPOCH: the time that stands for "when this was built"
# in what the build ships (package timestamps, Velmora.exe's PE header), so
# that two builds of one commit are byte-identical: SOURCE_DATE_EPOCH where
# the builder sets it, else the time of the last commit. Empty outside a git
# checkout.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(VELMORA_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE VELMORA_SOURCE_DATE_EPOCH
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    # Every commit moves HEAD's log: configure again, so the time follows.
    if(EXISTS "${PROJECT_SOURCE_DIR}/.git/logs/HEAD")
        set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY
                     CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/.git/logs/HEAD")
    endif()
endif()
