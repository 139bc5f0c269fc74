# A .deb for Debian 12: `cpack -G DEB` in a build folder gives lumavert_<version>-1_<arch>.deb.
set(LUMAVERT_PACKAGE_MAINTAINER "Lumavert developers <lumavert@example.org>" CACHE STRING
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
set(CPACK_PACKAGE_DESCRIPTION [=[Lumavert edits the up to 20 light modes of a USB HID LED flashlight (steady,
strobe or timed steps such as S.O.S) in one window, tries a mode on the light,
uploads the set, reads it back, and saves and loads sets as INI files.
lumavert-cli does the same from a terminal. A udev rule lets the user at the
local seat open the light without root.]=])
# The libraries come from dpkg-shlibdeps; the fonts are looked up by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
