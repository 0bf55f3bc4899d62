# The layers of the code, bottom first. A folder's sources may include its
# own headers and those of the folders listed for it, and nothing else of the
# project's, so includes only ever run down. Only the window may include Qt.
#
#   window  cli            the front ends
#   app                    the wiring: Companion, start-up, settings
#   plans  device          lists and images; the link to the device
#   map                    the map pages' scripts, track drawing
#   tracks                 the track model, its files and exports
#   serial  locale         the port library; code pages, languages, zones
#   base                   values, text grids, numbers, files
#
# The simulator is a peer of the core, not a part of it: it holds its own
# formats and protocol and sees only base.
set(VANTREL_LAYER_base "")
set(VANTREL_LAYER_serial base)
set(VANTREL_LAYER_locale base)
set(VANTREL_LAYER_tracks base locale)
set(VANTREL_LAYER_map base locale tracks)
set(VANTREL_LAYER_plans base locale tracks map)
set(VANTREL_LAYER_device base locale serial)
set(VANTREL_LAYER_app base locale serial tracks map plans device)
set(VANTREL_LAYER_window base locale serial tracks map plans device app)
set(VANTREL_LAYER_cli base locale serial tracks map plans device app)
set(VANTREL_LAYER_sim base)
set(VANTREL_LAYERED_FOLDERS base serial locale tracks map plans device app window cli sim)

# Sets `out` to one line per include of a folder above or beside the
# including one, and per Qt include outside the window, in the tree at `root`.
function(vantrel_layer_faults root out)
    set(faults "")
    foreach(folder IN LISTS VANTREL_LAYERED_FOLDERS)
        set(allowed ${folder} ${VANTREL_LAYER_${folder}})
        file(GLOB_RECURSE sources "${root}/${folder}/*.h" "${root}/${folder}/*.cpp")
        foreach(source IN LISTS sources)
            file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
            foreach(line IN LISTS includes)
                string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*).*" "\\1" header
                       "${line}")
                file(RELATIVE_PATH name "${root}" "${source}")
                if(header MATCHES "^Q[A-Za-z]" AND NOT folder STREQUAL "window")
                    list(APPEND faults "${name} includes the Qt header ${header}")
                elseif(header MATCHES "^([a-z]+)/")
                    set(target ${CMAKE_MATCH_1})
                    if(target IN_LIST VANTREL_LAYERED_FOLDERS AND NOT target IN_LIST allowed)
                        list(APPEND faults "${name} includes ${header}, from a layer above it")
                    endif()
                endif()
            endforeach()
        endforeach()
    endforeach()
    set(${out} "${faults}" PARENT_SCOPE)
endfunction()

# Stops (configure or script) with every fault of the tree at `root`.
function(vantrel_require_layers root)
    vantrel_layer_faults("${root}" faults)
    if(faults)
        list(JOIN faults "\n" text)
        message(FATAL_ERROR "includes against the layers:\n${text}")
    endif()
endfunction()
