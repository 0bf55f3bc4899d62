#include "map/BaseLayer.h"

#include "map/ScriptText.h"

namespace vantrel {

namespace {

std::string Literal(std::string_view text) {
    return '"' + EscapeScriptString(text) + '"';
}

// The layer as a script object literal; the attribution goes in as HTML
// that shows the text as it is.
std::string LayerObject(const BaseLayer& layer) {
    std::string bounds = "null";
    if (layer.bounds) {
        const auto& b = *layer.bounds;
        bounds = "[[" + ScriptReal(b[1]) + "," + ScriptReal(b[0]) + "],[" + ScriptReal(b[3]) + "," +
                 ScriptReal(b[2]) + "]]";
    }
    return "{url:" + Literal(std::string(kTileScheme) + "://" + layer.layer + "/{z}/{x}/{y}") +
           ",attribution:" + Literal(EscapeHtml(layer.attribution)) +
           ",minZoom:" + std::to_string(layer.minZoom) +
           ",maxZoom:" + std::to_string(layer.maxZoom) + ",bounds:" + bounds +
           ",online:" + (layer.online ? "true" : "false") + "}";
}

}  // namespace

std::string PlainAttribution(std::string_view html) {
    static constexpr std::pair<std::string_view, std::string_view> kEntities[] = {
        {"&amp;", "&"},   {"&lt;", "<"},          {"&gt;", ">"},
        {"&quot;", "\""}, {"&#39;", "'"},         {"&apos;", "'"},
        {"&nbsp;", " "},  {"&copy;", "\u00a9"}, {"&#169;", "\u00a9"}};
    std::string text;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            i = end;
            continue;
        }
        bool decoded = false;
        for (const auto& [entity, character] : kEntities) {
            if (html.substr(i).starts_with(entity)) {
                text += character;
                i += entity.size() - 1;
                decoded = true;
                break;
            }
        }
        if (!decoded) text += html[i];
    }
    return text;
}

std::string SetBaseLayerScript(const BaseLayer& layer) {
    return "if (typeof vantrelSetBaseLayer === 'function') vantrelSetBaseLayer(" +
           LayerObject(layer) + ");";
}

std::string BaseLayerGlobalScript(const BaseLayer& layer) {
    return "window.vantrelBaseLayer = " + LayerObject(layer) + ";";
}

}  // namespace vantrel
