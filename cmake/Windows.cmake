# The Windows build: a static GUI program with its icon and version, a portable .zip and an installer.
#
# Included instead of Packaging.cmake (the .deb) when cross-building with windows-toolchain.cmake,
# once the game's target exists. Everything lands in the build directory's top: the program,
# zumo-or-no-zumo-VERSION-windows-x64.zip and zumo-or-no-zumo-VERSION-windows-x64-setup.exe.

enable_language(RC)
set(ZUMO_TITLE "Zumo or No Zumo")
set(windows_data ${PROJECT_SOURCE_DIR}/data/windows)

# The licence and the copyright line come from the Debian copyright file, the one place they are
# written: its "License: MIT" paragraph, unfolded from Debian's one-space indent.
file(READ ${PROJECT_SOURCE_DIR}/data/copyright copyright)
string(REGEX MATCH "\nCopyright: ([^\n]*)" _ "${copyright}")
set(ZUMO_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX MATCH "\nLicense: MIT\n(( [^\n]*\n?)+)" _ "${copyright}")
string(REGEX REPLACE "(^|\n) \\.?" "\\1" ZUMO_MIT_LICENCE "${CMAKE_MATCH_1}")
string(STRIP "${ZUMO_MIT_LICENCE}" ZUMO_MIT_LICENCE)
if(ZUMO_COPYRIGHT STREQUAL "" OR NOT ZUMO_MIT_LICENCE MATCHES "^Permission is hereby granted")
    message(FATAL_ERROR "data/copyright has no Copyright line or no MIT licence paragraph")
endif()
string(REGEX REPLACE "^[0-9, -]+" "" ZUMO_VENDOR "${ZUMO_COPYRIGHT}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/copyright)

# The icon and the version as resources of the program; Windows has no other place for either.
set(ZUMO_WINDOWS_ICON ${windows_data}/zumo-or-no-zumo.ico)
configure_file(${windows_data}/zumo-or-no-zumo.rc.in zumo-or-no-zumo.rc @ONLY)
target_sources(${ZUMO_EXECUTABLE} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/zumo-or-no-zumo.rc)
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/zumo-or-no-zumo.rc APPEND PROPERTY
    OBJECT_DEPENDS ${ZUMO_WINDOWS_ICON})
# WIN32_EXECUTABLE: a GUI program, which Windows starts without a console window beside it.
set_target_properties(${ZUMO_EXECUTABLE} PROPERTIES WIN32_EXECUTABLE ON
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Stripped as it is linked, as the .deb's program is: symbols would nearly double it. The windows
# preset links every program -static, the tests too: Qt's static runtime alone leaves libgcc's DLL
# to find beside the program; and with --no-insert-timestamp, which leaves the link's time out of
# the PE header.
target_link_options(${ZUMO_EXECUTABLE} PRIVATE -s)

# The .zip and the installer carry Qt's licence notice, which names the source Qt was built from:
# only scripts/build-windows-qt's Qt says which that is. Against any other (a Qt of the player's
# own, as the LGPL allows) the program alone is built.
set(qt_key ${QT6_INSTALL_PREFIX}/zumo-qt-key)
if(NOT EXISTS ${qt_key})
    message(STATUS "Qt in ${QT6_INSTALL_PREFIX} is not from scripts/build-windows-qt: "
        "building the program alone, without the .zip and the installer")
    return()
endif()
file(STRINGS ${qt_key} qt_source LIMIT_COUNT 1 REGEX "^qt6-base ")
string(REGEX REPLACE "^qt6-base " "" ZUMO_QT_SOURCE_VERSION "${qt_source}")
configure_file(${windows_data}/LICENSE.txt.in LICENSE.txt @ONLY)
# Beside the program: the licence and Qt's notice, Debian's copyright file of the Qt source,
# which names every licence in it, and the texts of the two licences Qt comes under. The
# installer names each file too, to install and to uninstall it.
set(documents
    ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt
    ${QT6_INSTALL_PREFIX}/qt6-base.copyright
    /usr/share/common-licenses/LGPL-3
    /usr/share/common-licenses/GPL-3)
set(document_names LICENSE.txt QT-COPYRIGHT.txt LGPL-3.txt GPL-3.txt)

find_program(ZUMO_ZIP zip REQUIRED)
find_program(ZUMO_MAKENSIS makensis REQUIRED)
set(package_name ${ZUMO_EXECUTABLE}-${PROJECT_VERSION}-windows-x64)
set(zip ${CMAKE_BINARY_DIR}/${package_name}.zip)
set(ZUMO_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/${package_name}-setup.exe)
add_custom_command(OUTPUT ${zip} ${ZUMO_WINDOWS_INSTALLER}
    COMMAND ${CMAKE_COMMAND}
        -D "SOURCE_DIR=${PROJECT_SOURCE_DIR}"
        -D "STAGE=${CMAKE_CURRENT_BINARY_DIR}/stage/${package_name}"
        -D "PROGRAM=$<TARGET_FILE:${ZUMO_EXECUTABLE}>"
        -D "DOCUMENTS=${documents}" -D "DOCUMENT_NAMES=${document_names}"
        -D "ZIP=${ZUMO_ZIP}" -D "ZIP_FILE=${zip}"
        -D "MAKENSIS=${ZUMO_MAKENSIS}" -D "INSTALLER=${ZUMO_WINDOWS_INSTALLER}"
        -D "NSIS_SCRIPT=${windows_data}/installer.nsi" -D "ICON=${ZUMO_WINDOWS_ICON}"
        -D "APP_ID=${ZUMO_APP_ID}" -D "TITLE=${ZUMO_TITLE}" -D "VENDOR=${ZUMO_VENDOR}"
        -D "COPYRIGHT=${ZUMO_COPYRIGHT}" -D "VERSION=${PROJECT_VERSION}"
        -P ${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake
    DEPENDS ${ZUMO_EXECUTABLE} ${documents} ${windows_data}/installer.nsi ${ZUMO_WINDOWS_ICON}
        ${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake
    COMMENT "Packing the portable .zip and the installer"
    VERBATIM)
add_custom_target(zumo_windows_packages ALL DEPENDS ${zip} ${ZUMO_WINDOWS_INSTALLER})
