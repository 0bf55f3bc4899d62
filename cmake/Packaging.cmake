# The Debian package: `cpack -G DEB` (or plain `cpack`) in the build folder
# packs what `cmake --install` places, under /usr. Library dependencies come
# from dpkg-shlibdeps; the ones no library shows are named here. Configure
# with -DCMAKE_INSTALL_PREFIX=/usr so that the data folder a moved program
# falls back to is the package's.

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel companion developers")
set(CPACK_PACKAGE_CONTACT "The Vantrel companion developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion of the Vantrel GPS guider and track logger")
set(CPACK_PACKAGE_DESCRIPTION
    "Downloads the track memory of a Vantrel, a handheld GPS guider and track\n"
    "logger on a USB serial port, shows its tracks on a map with altitude and\n"
    "speed profiles, saves them as track files, GPX, KML or CSV, and edits and\n"
    "uploads route plans and points of interest. Comes with a desktop window\n"
    "(vantrel), a command line (vantrel-cli) and a simulated device (vantrel-sim).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The map pages load Leaflet from its Debian folder; the window needs a Qt
# platform plugin; plan glyphs want a face with Chinese characters, and the
# settings dialog a narrow one; Qt's own dialogs take their German and
# Chinese texts from Qt's translations (the window's own are built in).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libjs-leaflet, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-wqy-zenhei | fonts-noto-cjk, fonts-dejavu-extra, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
