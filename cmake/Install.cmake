# What `cmake --install` puts where. With CMAKE_INSTALL_PREFIX=/usr, as in the .deb, the udev rule
# lands in /usr/lib/udev/rules.d: the folder udev reads and the permission hint names.
include(GNUInstallDirs)

set(LUMAVERT_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Folder of the udev rule; a relative path is taken under the install prefix")

install(TARGETS lumavert-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/70-lumavert.rules
        DESTINATION ${LUMAVERT_UDEV_RULES_DIR})

# Man pages with the version filled in, compressed as Debian keeps them.
find_program(LUMAVERT_GZIP gzip REQUIRED)
function(lumavert_install_man_page name)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1)
    set(packed ${page}.gz)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/${name}.1 ${page} @ONLY)
    add_custom_command(OUTPUT ${packed}
        COMMAND ${LUMAVERT_GZIP} -9nkf ${page}
        DEPENDS ${page} VERBATIM)
    add_custom_target(${name}-man-page ALL DEPENDS ${packed})
    install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
lumavert_install_man_page(lumavert-cli)

if(TARGET lumavert)
    install(TARGETS lumavert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    lumavert_install_man_page(lumavert)
    # The window looks for its pages in <bin>/../share/lumavert/res (src/app/ProgramFiles.cpp).
    set(pages ${CMAKE_INSTALL_DATADIR}/lumavert/res)
    install(FILES ${PROJECT_SOURCE_DIR}/res/Intro_us.html ${PROJECT_SOURCE_DIR}/res/Intro_cn.html
            DESTINATION ${pages})
    install(FILES ${PROJECT_SOURCE_DIR}/res/help/index.html DESTINATION ${pages}/help)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumavert.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 48 64 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/res/icons/lumavert-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME lumavert.png)
    endforeach()
endif()
