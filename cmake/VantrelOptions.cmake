# Compiler warnings, errors only when asked (the project's test script asks;
# a packager's compiler may know warnings this code has never met); sanitizer
# and fuzzer builds are chosen by option.

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wno-missing-field-initializers)
if(VANTREL_WERROR)
    add_compile_options(-Werror)
endif()
# GCC 12 at -O2 and above warns of overlapping copies inside libstdc++ where a
# short literal is joined to or assigned into a std::string ("[" + text,
# text = "$"): a false positive of its inlined string code (GCC bugs 105329
# and 105651, gone in GCC 13), not a fault of the code that joins strings.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
endif()

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
    # Instrument everything for coverage under AddressSanitizer and UBSan;
    # only the fuzz targets link the fuzzer's main, so the tests of such a
    # build run under both sanitizers too.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
