# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What `cmake --install` puts where. With CMAKE_INSTALL_PREFIX=/usr, as in the .deb, the udev rule
# lands in /usr/lib/udev/rules.d: the folder udev reads and the permission hint names.
include(GNUInstallDirs)

set(LUMAVERT_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Folder of the udev rule; a relative path is taken under the install prefix")

install(TARGETS lumavert-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/70-lumavert.rules
        DESTINATION ${LUMAVERT_UDEV_RULES_DIR})

set(LUMAVERT_APP_ID org.lumavert.Lumavert)

# Man pages with the version filled in, and the Debian changelog, compressed as Debian keeps them:
# gzip -9n, without the name and time stamp, so that the same sources give the same bytes.
find_program(LUMAVERT_GZIP gzip REQUIRED)
# MODE is @ONLY to fill in @PROJECT_VERSION@, or COPYONLY.
function(lumavert_install_gzipped source copy mode target destination)
    set(packed ${copy}.gz)
    configure_file(${source} ${copy} ${mode})
    add_custom_command(OUTPUT ${packed}
        COMMAND ${LUMAVERT_GZIP} -9nkf ${copy}
        DEPENDS ${copy} VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${packed})
    install(FILES ${packed} DESTINATION ${destination})
endfunction()
function(lumavert_install_man_page name)
    lumavert_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/${name}.1
        ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1 @ONLY ${name}-man-page
        ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
lumavert_install_man_page(lumavert-cli)

# Debian wants the licence and the package's changelog next to each other in its doc folder, and
# lintian reads the package's overrides, each with its reason, from its own folder.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME lumavert)
lumavert_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/debian/changelog
    ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian COPYONLY debian-changelog
    ${CMAKE_INSTALL_DOCDIR})

if(TARGET lumavert)
    install(TARGETS lumavert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    lumavert_install_man_page(lumavert)
    # The window looks for its pages in <bin>/../share/lumavert/res (src/app/ProgramFiles.cpp).
    set(pages ${CMAKE_INSTALL_DATADIR}/lumavert/res)
    install(FILES ${PROJECT_SOURCE_DIR}/res/Intro_us.html ${PROJECT_SOURCE_DIR}/res/Intro_cn.html
            DESTINATION ${pages})
    install(FILES ${PROJECT_SOURCE_DIR}/res/help/index.html DESTINATION ${pages}/help)
    # The menu entry, its icon and the AppStream metadata share one reverse-DNS name: software
    # centres find the entry from the metadata's id and the icon from the entry.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${LUMAVERT_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${LUMAVERT_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 48 64 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/res/icons/lumavert-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${LUMAVERT_APP_ID}.png)
    endforeach()
endif()
