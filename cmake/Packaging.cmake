# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A .deb for Debian 12: `cpack -G DEB` in a build folder gives lumavert_<version>-1_<arch>.deb.
set(LUMAVERT_PACKAGE_MAINTAINER "Lumavert developers <dev@lumavert.org>" CACHE STRING
    "Maintainer named in the package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumavert)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LUMAVERT_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programs the light modes of a USB LED flashlight")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lumavert.org/)
set(CPACK_PACKAGE_DESCRIPTION [=[Lumavert edits the up to 20 light modes of a USB HID LED flashlight (steady,
strobe or timed steps such as S.O.S) in one window, tries a mode on the light,
uploads the set, reads it back, and saves and loads sets as INI files.
lumavert-cli does the same from a terminal. A udev rule lets the user at the
local seat open the light without root.]=])
# The libraries come from dpkg-shlibdeps; the fonts are looked up by name at run time, and
# Qt's own texts (file dialogs, message box keys) in the window's language come from the
# translations package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package's version appears three times: here, at the top of its Debian changelog and as the
# newest AppStream release. A release that bumps one and forgets another stops here.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog_top LIMIT_COUNT 1)
set(deb_version ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
if(NOT changelog_top MATCHES "^lumavert \\(${deb_version}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog starts with '${changelog_top}', "
                        "not with version ${deb_version}")
endif()
file(READ ${PROJECT_SOURCE_DIR}/packaging/${LUMAVERT_APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "the newest release in packaging/${LUMAVERT_APP_ID}.metainfo.xml "
                        "is not ${PROJECT_VERSION}")
endif()

include(CPack)
