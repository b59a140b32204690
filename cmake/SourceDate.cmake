# The one date that every time stamp of the packages carries, as seconds
# since 1970: SOURCE_DATE_EPOCH when it is set, else the commit time of HEAD
# in a git checkout, else the commit time that `git archive` wrote into
# cmake/commit-time.txt (export-subst in .gitattributes), else a fixed day.
# So the same source gives the same bytes, from a clone, from an exported
# tree, anywhere and at any time.
set(VELK_FIXED_EPOCH 1767225600) # 2026-01-01 00:00:00 UTC

if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(VELK_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
    set(source "SOURCE_DATE_EPOCH")
else()
    set(VELK_SOURCE_DATE_EPOCH ${VELK_FIXED_EPOCH})
    set(source "a fixed day")
    find_package(Git QUIET)
    if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
        execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}" OUTPUT_VARIABLE commit_time
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE result)
        if(result EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
            set(VELK_SOURCE_DATE_EPOCH ${commit_time})
            set(source "the commit time of HEAD")
            # A new commit or checkout moves HEAD's log: configure again.
            foreach(moved .git/HEAD .git/logs/HEAD)
                if(EXISTS "${PROJECT_SOURCE_DIR}/${moved}")
                    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${moved}")
                endif()
            endforeach()
        endif()
    endif()
    # In a checkout the file holds git's placeholder, which is no number.
    file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/commit-time.txt" exported LIMIT_COUNT 1)
    if(source STREQUAL "a fixed day" AND exported MATCHES "^[0-9]+$")
        set(VELK_SOURCE_DATE_EPOCH ${exported})
        set(source "the commit time of the exported tree")
    endif()
endif()
if(NOT VELK_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a whole number of seconds, not '${VELK_SOURCE_DATE_EPOCH}'")
endif()
message(STATUS "Package time stamps: ${VELK_SOURCE_DATE_EPOCH} (${source})")
