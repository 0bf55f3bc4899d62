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
           ",maxZoom:" + std::to_string(layer.maxZoom) + ",bounds:" + bounds + "}";
}

}  // namespace

std::string SetBaseLayerScript(const BaseLayer& layer) {
    return "if (typeof vantrelSetBaseLayer === 'function') vantrelSetBaseLayer(" +
           LayerObject(layer) + ");";
}

std::string BaseLayerGlobalScript(const BaseLayer& layer) {
    return "window.vantrelBaseLayer = " + LayerObject(layer) + ";";
}

}  // namespace vantrel
