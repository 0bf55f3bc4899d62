#pragma once
// GPX 1.1 documents: the root every GPX file written here starts from, the
// point elements (wpt, rtept, trkpt) and reading a document back.

#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "base/TimeText.h"

namespace vantrel {

class GpxDocument {
  public:
    GpxDocument();

    pugi::xml_node Root() const { return root_; }
    // Appends `element` (wpt, rtept or trkpt) to `parent` with its lat and
    // lon attributes, given as decimal degrees with a point.
    static pugi::xml_node AddPoint(pugi::xml_node parent, const char* element,
                                   std::string_view latitude, std::string_view longitude);
    // The point's time as UTC ("2011-01-25T14:13:20Z").
    static void AddTime(pugi::xml_node point, Seconds time);

    std::string Text() const;

  private:
    pugi::xml_document doc_;
    pugi::xml_node root_;
};

// A GPX text parsed: its gpx element, or an empty node with the reason in
// `error` when the text is not XML or its root is not gpx.
pugi::xml_node ParseGpx(pugi::xml_document& doc, std::string_view text, std::string& error);

}  // namespace vantrel
