# Warnings are errors everywhere in our own code: a wrong byte in the
# communication file often starts as a "harmless" conversion warning.
add_library(zefirante_avvisi INTERFACE)
if(MSVC)
    target_compile_options(zefirante_avvisi INTERFACE /W4 /WX /permissive- /utf-8)
else()
    target_compile_options(zefirante_avvisi INTERFACE
        -Wall -Wextra -Wpedantic -Werror -Wshadow=local -Wnon-virtual-dtor
        -Wcast-align -Wunused -Woverloaded-virtual -Wimplicit-fallthrough)
endif()
target_compile_definitions(zefirante_avvisi INTERFACE
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_DISABLE_DEPRECATED_UP_TO=0x060400)

if(ZEFIRANTE_SANITIZERS)
    if(MSVC)
        target_compile_options(zefirante_avvisi INTERFACE /fsanitize=address)
    else()
        target_compile_options(zefirante_avvisi INTERFACE
            -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        target_link_options(zefirante_avvisi INTERFACE -fsanitize=address,undefined)
    endif()
endif()
