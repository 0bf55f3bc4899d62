#pragma once
// Small pieces every XML export shares: a child element holding text, and a
// whole document as UTF-8 text.

#include <pugixml.hpp>
#include <string>

namespace vantrel {

inline pugi::xml_node AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node node = parent.append_child(name);
    node.text().set(text.c_str());
    return node;
}

// The document with its declaration, indented by `indent`.
inline std::string DocumentText(const pugi::xml_document& doc, const char* indent) {
    struct StringWriter : pugi::xml_writer {
        std::string text;
        void write(const void* data, std::size_t size) override {
            text.append(static_cast<const char*>(data), size);
        }
    } writer;
    doc.save(writer, indent, pugi::format_default, pugi::encoding_utf8);
    return writer.text;
}

// Starts a document with the XML declaration (version 1.0, UTF-8).
inline void AddDeclaration(pugi::xml_document& doc) {
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
}

}  // namespace vantrel
