# Packs the Windows program and its documents into the portable .zip and the installer.
#
# Run as `cmake -P` by Windows.cmake, which passes every path and name. One commit gives the same
# bytes every time: the files carry the time of SOURCE_DATE_EPOCH (as the .deb's do, and found the
# same way), fixed modes, the zip no owner and no local time, and the installer no file times.

set(CPACK_ZUMO_SOURCE_DIR ${SOURCE_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/PackageDate.cmake)

get_filename_component(program_name ${PROGRAM} NAME)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${PROGRAM} ${STAGE}/${program_name})
file(CHMOD ${STAGE}/${program_name} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(members ${program_name})
# Windows' line ends: the installer's licence page and older editors show a bare LF as nothing.
foreach(document name IN ZIP_LISTS DOCUMENTS DOCUMENT_NAMES)
    file(READ ${document} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${STAGE}/${name} "${text}")
    file(CHMOD ${STAGE}/${name} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    list(APPEND members ${name})
endforeach()
list(TRANSFORM members PREPEND ${STAGE}/ OUTPUT_VARIABLE paths)
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} ${paths} ${STAGE}
        COMMAND_ERROR_IS_FATAL ANY)
endif()

# One folder in the .zip, named like the .zip. -X leaves out the owner and the extra time fields,
# -D the folder's own entry, and the plain DOS time it keeps is local time: hence UTC.
get_filename_component(folder ${STAGE} NAME)
get_filename_component(parent ${STAGE} DIRECTORY)
list(TRANSFORM members PREPEND ${folder}/)
file(REMOVE ${ZIP_FILE})
set(ENV{TZ} UTC)
execute_process(COMMAND ${ZIP} -X -D -q -9 ${ZIP_FILE}.tmp ${members}
    WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${ZIP_FILE}.tmp ${ZIP_FILE})

execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DSTAGE=${STAGE}
        -DPROGRAM=${program_name} -DOUTFILE=${INSTALLER}.tmp -DICON=${ICON} -DAPP_ID=${APP_ID}
        -DTITLE=${TITLE} -DVENDOR=${VENDOR} -DCOPYRIGHT=${COPYRIGHT} -DVERSION=${VERSION}
        ${NSIS_SCRIPT}
    COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${INSTALLER}.tmp ${INSTALLER})
