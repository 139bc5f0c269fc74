# SPDX-FileCopyrightText: 2026 Lumavert developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Warning and sanitizer flags for every target of ours (imported targets keep their own).
# ccache, when installed and no other launcher is chosen, makes rebuilds in fresh folders cheap.
if(NOT CMAKE_CXX_COMPILER_LAUNCHER)
    find_program(LUMAVERT_CCACHE ccache)
    if(LUMAVERT_CCACHE)
        set(CMAKE_CXX_COMPILER_LAUNCHER ${LUMAVERT_CCACHE})
    endif()
endif()

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
                    -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
if(LUMAVERT_WERROR)
    add_compile_options(-Werror)
endif()

if(LUMAVERT_SANITIZE)
    add_compile_options(-fsanitize=${LUMAVERT_SANITIZE} -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${LUMAVERT_SANITIZE})
endif()
