#include "tracks/GpxDocument.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/AppValues.h"
#include "tracks/XmlText.h"

namespace vantrel {

namespace {

constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kSchemaLocation =
    "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd";

// A character XML 1.0 allows in a document.
bool XmlAllows(unsigned long c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The first character reference ("&#0;", "&#x1B;") to a character XML does
// not allow, as its text and its byte offset; the parser would put such a
// character (a NUL, which ends the text it is in) into a name.
std::optional<std::pair<std::string, std::size_t>> ForbiddenReference(std::string_view text) {
    for (std::size_t at = text.find("&#"); at != std::string_view::npos;
         at = text.find("&#", at + 2)) {
        const std::size_t end = text.find(';', at);
        if (end == std::string_view::npos || end - at > 12) continue;
        const bool hex = at + 2 < end && (text[at + 2] == 'x' || text[at + 2] == 'X');
        const std::string digits(text.substr(at + (hex ? 3 : 2), end - at - (hex ? 3 : 2)));
        char* stop = nullptr;
        const unsigned long value = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
        if (digits.empty() || *stop != '\0' || XmlAllows(value)) continue;
        return std::pair{std::string(text.substr(at, end - at + 1)), at};
    }
    return std::nullopt;
}

bool IsGpxNamespace(std::string_view uri) {
    return uri == kGpxNamespace || uri == "http://www.topografix.com/GPX/1/0";
}

// Elements written with a prefix bound to the GPX namespace ("<g:wpt>")
// are renamed to their local names, as readers that know namespaces see
// them; elements of other namespaces (extensions) keep their prefixes. The
// walk keeps its own stack: a document may nest deeper than a call stack.
using GpxPrefixes = std::map<std::string, bool, std::less<>>;  // prefix: bound to GPX

std::shared_ptr<const GpxPrefixes> Declared(pugi::xml_node node,
                                            std::shared_ptr<const GpxPrefixes> outer) {
    std::shared_ptr<GpxPrefixes> inner;
    for (pugi::xml_attribute a : node.attributes()) {
        const std::string_view name = a.name();
        if (!name.starts_with("xmlns:")) continue;
        if (!inner) inner = std::make_shared<GpxPrefixes>(*outer);
        (*inner)[std::string(name.substr(6))] = IsGpxNamespace(a.value());
    }
    if (!inner) return outer;
    return inner;
}

void DropGpxPrefixes(pugi::xml_node root) {
    std::vector<std::pair<pugi::xml_node, std::shared_ptr<const GpxPrefixes>>> pending{
        {root, std::make_shared<const GpxPrefixes>()}};
    while (!pending.empty()) {
        auto [node, outer] = std::move(pending.back());
        pending.pop_back();
        auto scope = Declared(node, std::move(outer));
        const std::string_view name = node.name();
        const std::size_t colon = name.find(':');
        if (colon != std::string_view::npos) {
            const auto found = scope->find(name.substr(0, colon));
            if (found != scope->end() && found->second)
                node.set_name(std::string(name.substr(colon + 1)).c_str());
        }
        for (pugi::xml_node child : node.children())
            if (child.type() == pugi::node_element) pending.emplace_back(child, scope);
    }
}

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
    if (const auto reference = ForbiddenReference(text)) {
        error = "not XML: the character reference " + reference->first + " at byte " +
                std::to_string(reference->second) + " names a character XML does not allow";
        return {};
    }
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
    if (!parsed) {
        error = std::string("not XML: ") + parsed.description() + " at byte " +
                std::to_string(parsed.offset);
        return {};
    }
    DropGpxPrefixes(doc.document_element());
    pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) != "gpx") {
        error = "not a GPX file: the root element is <" + std::string(root.name()) + ">";
        return {};
    }
    return root;
}

}  // namespace vantrel
