# Run as a test (cmake -DROOT=<tree> -P CheckLayers.cmake): fails when a source
# in the tree at ROOT includes a header of a layer above its own, or when a
# source outside the window includes Qt.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
vantrel_layer_faults("${ROOT}" faults)
if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "includes against the layers:\n${text}")
endif()
message(STATUS "every include runs down the layers")
