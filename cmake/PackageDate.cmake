# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): the time the whole package carries.
#
# CPack's DEB generator stamps every file, directory and archive member with SOURCE_DATE_EPOCH when
# that is set, and with the hour of the build when not. A caller's value wins, as a distribution's
# build sets its own. Otherwise the last commit's time, so that every build of one commit agrees;
# outside a git checkout (the source tarball), the changelog's newest entry, as dpkg does.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    # This tree alone counts as safe: git refuses a checkout owned by another user (a build under
    # sudo), and the tree's own git settings are no less trusted than the build scripts cpack runs.
    execute_process(
        COMMAND git -c safe.directory=${CPACK_ZUMO_SOURCE_DIR} -C ${CPACK_ZUMO_SOURCE_DIR}
                log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT epoch MATCHES "^[0-9]+$")
        execute_process(
            COMMAND dpkg-parsechangelog -l ${CPACK_ZUMO_SOURCE_DIR}/data/changelog.Debian
                    -STimestamp
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    else()
        message(WARNING "Neither git nor dpkg-parsechangelog gave a date for the package: its "
            "files carry the time of this build, and another build will not match it")
    endif()
endif()
