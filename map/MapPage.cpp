#include "map/MapPage.h"

#include "map/ScriptText.h"

namespace vantrel {

std::string CenterPageScript(std::string_view latitudeText, std::string_view zoomText,
                             std::string_view longitudeText, const NumberFormat& numbers) {
    return "map.setCenter(new GLatLng(" + ScriptNumber(latitudeText, numbers) + "," +
           ScriptNumber(longitudeText, numbers) + ") ," + std::string(zoomText) + ");";
}

void CenterPage(MapPage& view, std::string_view latitudeText, std::string_view zoomText,
                std::string_view longitudeText, const NumberFormat& numbers) {
    view.RunPageScript(CenterPageScript(latitudeText, zoomText, longitudeText, numbers));
}

}  // namespace vantrel
