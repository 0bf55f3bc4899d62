# Run as a test (cmake -DROOT=<tree> -P CheckLayers.cmake): fails when a source
# in the tree at ROOT includes a header of a layer above its own, or when a
# source outside the window includes Qt.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
vantrel_require_layers("${ROOT}")
message(STATUS "every include runs down the layers")
