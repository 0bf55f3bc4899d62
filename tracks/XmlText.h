#pragma once
// Small pieces every XML export shares: a child element holding text, and a
// whole document as UTF-8 text.

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace vantrel {

// Text as XML 1.0 may hold it: every character XML forbids (C0 controls but
// tab, line feed and carriage return; U+FFFE and U+FFFF; bytes that are not
// UTF-8, lone surrogates included) becomes U+FFFD. The one place where text
// from files and the device is made fit for XML; escaping of markup
// characters is the writer's.
std::string XmlSafeText(std::string_view text);

// Appends element `name` holding `text` (made XML-safe) to `parent`.
inline pugi::xml_node AddText(pugi::xml_node parent, const char* name, std::string_view text) {
    pugi::xml_node node = parent.append_child(name);
    node.text().set(XmlSafeText(text).c_str());
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
