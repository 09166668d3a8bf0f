# The Debian package: `cpack` in a release build dir, or scripts/check-deb to build and check it.
#
# It holds exactly what `cmake --install` installs, under /usr. That is the DEB generator's own
# default, left unset here because CPACK_PACKAGING_INSTALL_PREFIX would also move the source
# tarball's files under usr/. Included last from the top CMakeLists.txt: include(CPack) writes
# out these variables as they stand when it runs.

set(ZUMO_PACKAGE_MAINTAINER "The Zumo or No Zumo developers <games@zumoornozumo.org>"
    CACHE STRING "Maintainer field of the Debian package: a name and an e-mail address")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZUMO_EXECUTABLE})
set(CPACK_PACKAGE_VENDOR "The Zumo or No Zumo developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Debian's synopsis style: lower case, no leading article, no full stop.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game of nerve with 25 cases and a banker's offers")
# Wrapped by hand: dpkg shows these lines as they are, and Debian keeps them under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
Zumo or No Zumo is a single-player desktop game. Twenty-five numbered cases
hide amounts from $1 to $1,000,000. The player keeps one case and opens the
others stage by stage; after every stage a banker offers to buy the player's
case for a sum worked out from the amounts still in play. Sell, or hold out
to the end and learn whether keeping was the better choice.]])
# Debian ships stripped binaries; the dynamic symbols that the hardening check reads survive it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZUMO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# One commit, one .deb: the file and member times come from the sources, not from the clock.
# (Directory modes: CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS, in the top CMakeLists.txt.)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageDate.cmake)
set(CPACK_ZUMO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
# dpkg-shlibdeps names the Qt and C++ runtime packages from the libraries the binary really
# links, with the versions the build saw. The fonts are loaded by name at run time, so no
# tool can find them: the windows' label boxes are sized for exactly these two families.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation2")
# Qt draws on Wayland natively only through this plugin; without it the game still runs, on
# XWayland, so it is recommended rather than required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# The changelog's first entry must be the version built here: a version bump without its entry
# stops here rather than ship a package whose changelog is a release behind.
set(changelog ${PROJECT_SOURCE_DIR}/data/changelog.Debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} changelog_top LIMIT_COUNT 1)
set(package_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
if(NOT changelog_top MATCHES "^${CPACK_PACKAGE_NAME} \\(([^)]*)\\) "
   OR NOT CMAKE_MATCH_1 STREQUAL package_version)
    message(FATAL_ERROR "The first entry of data/changelog.Debian is for '${CMAKE_MATCH_1}', not for "
        "${package_version}, the version the package is built as")
endif()

set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/\\\\.cache/")

include(CPack)
