#pragma once
// What the window's file dialogs show: title, filter ("Name(*.x)|*.x|..."),
// default extension and the file name they start with.

#include <string_view>

namespace vantrel {

struct FileDialogTexts {
    std::string_view title;
    std::string_view filter;
    std::string_view defaultExt;
    std::string_view fileName;
};

inline constexpr FileDialogTexts dlgSaveTrack{
    "Save Track Data To File", "Track Files(*.trk)|*.trk|KML Files(*.kml)|*.kml|All Files(*.*)|*.*",
    "trk", "*.trk"};
inline constexpr FileDialogTexts dlgOpenTrack{
    "Open Track File", "Track Files(*.trk)|*.trk|KML Files(*.kml)|*.kml|All Files(*.*)|*.*", "trk",
    "*.trk"};
inline constexpr FileDialogTexts dlgSavePlan{
    "Save Track Plan To File", "Route Plan(*.rte)|*.rte|All Files(*.*)|*.*", "rte", "*.rte"};
inline constexpr FileDialogTexts dlgOpenPlan{
    "Open Track Plan From File", "Route Plan(*.rte)|*.rte|All Files(*.*)|*.*", "rte", "*.rte"};
inline constexpr FileDialogTexts dlgSavePoi{"", "Point of Intrest(*.wpt)|*.wpt|All Files(*.*)|*.*",
                                            "wpt", "*.wpt"};
inline constexpr FileDialogTexts dlgOpenPoi{"", "Point of Intrest(*.wpt)|*.wpt|All Files(*.*)|*.*",
                                            "wpt", "*.wpt"};

}  // namespace vantrel
