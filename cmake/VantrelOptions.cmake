# Warnings are errors everywhere; sanitizer and fuzzer builds are chosen by option.

add_compile_options(-Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor
                    -Wno-missing-field-initializers)

if(VANTREL_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(VANTREL_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT VANTREL_SANITIZE STREQUAL "")
    message(FATAL_ERROR "VANTREL_SANITIZE must be address, thread or empty")
endif()

if(VANTREL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VANTREL_FUZZ needs clang (CXX=clang++)")
    endif()
    # Instrument the whole core for coverage; only fuzz targets link the fuzzer main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    set(VANTREL_TESTS OFF CACHE BOOL "" FORCE)
    set(VANTREL_GUI OFF CACHE BOOL "" FORCE)
endif()
