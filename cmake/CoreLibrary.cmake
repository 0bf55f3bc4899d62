# vantrel_core_library(NAME SOURCES... [DEPENDS libs...]) declares one subsystem
# library of the core and records it with its folder, so the layer check sees
# every part.
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
set(VANTREL_CORE_LIBRARIES "" CACHE INTERNAL "")

function(vantrel_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES VANTREL_FOLDER ${folder})
    set(VANTREL_CORE_LIBRARIES ${VANTREL_CORE_LIBRARIES} ${name} CACHE INTERNAL "")
endfunction()

# Fails the configure step when a core library links Qt or a library of a
# layer above its own, or when any source includes against the layers: the
# core must build and run without a desktop, and each layer without those
# above it.
function(vantrel_check_layers)
    foreach(lib IN LISTS VANTREL_CORE_LIBRARIES)
        get_target_property(folder ${lib} VANTREL_FOLDER)
        get_target_property(links ${lib} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            if(link MATCHES "Qt[0-9]*::|^Qt")
                message(FATAL_ERROR "core library ${lib} links ${link}")
            endif()
            if(link IN_LIST VANTREL_CORE_LIBRARIES)
                get_target_property(linked ${link} VANTREL_FOLDER)
                if(NOT linked STREQUAL folder AND NOT linked IN_LIST VANTREL_LAYER_${folder})
                    message(FATAL_ERROR "${lib} (${folder}/) links ${link}, from ${linked}/ above it")
                endif()
            endif()
        endforeach()
    endforeach()
    vantrel_require_layers(${PROJECT_SOURCE_DIR})
endfunction()
