# Warning and sanitizer flags for every target of ours (imported targets keep their own).
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
