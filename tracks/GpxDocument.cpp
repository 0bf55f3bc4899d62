#include "tracks/GpxDocument.h"

#include "base/AppValues.h"
#include "tracks/XmlText.h"

namespace vantrel {

namespace {

constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kSchemaLocation =
    "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd";

}  // namespace

GpxDocument::GpxDocument() {
    AddDeclaration(doc_);
    root_ = doc_.append_child("gpx");
    root_.append_attribute("version") = "1.1";
    root_.append_attribute("creator") = (std::string("vantrel ") + VersionText).c_str();
    root_.append_attribute("xmlns") = kGpxNamespace;
    root_.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
    root_.append_attribute("xsi:schemaLocation") = kSchemaLocation;
}

pugi::xml_node GpxDocument::AddPoint(pugi::xml_node parent, const char* element,
                                     std::string_view latitude, std::string_view longitude) {
    pugi::xml_node point = parent.append_child(element);
    point.append_attribute("lat").set_value(latitude.data(), latitude.size());
    point.append_attribute("lon").set_value(longitude.data(), longitude.size());
    return point;
}

void GpxDocument::AddTime(pugi::xml_node point, Seconds time) {
    AddText(point, "time", IsoTimeText(time));
}

std::string GpxDocument::Text() const {
    return DocumentText(doc_, "  ");
}

pugi::xml_node ParseGpx(pugi::xml_document& doc, std::string_view text, std::string& error) {
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
    if (!parsed) {
        error = std::string("not XML: ") + parsed.description() + " at byte " +
                std::to_string(parsed.offset);
        return {};
    }
    pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) != "gpx") {
        error = "not a GPX file: the root element is <" + std::string(root.name()) + ">";
        return {};
    }
    return root;
}

}  // namespace vantrel
