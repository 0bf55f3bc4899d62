// What the profile chart points at on the track page: a marker at the
// point under the chart's cursor, and the stretch picked on the chart drawn
// wide over its track. Each call replaces what the one before showed.

var vantrelProfileCursor = null;
var vantrelProfileRange = null;

function showProfileCursor(lat, lng) {
    lat = Number(lat);
    lng = Number(lng);
    if (!isFinite(lat) || !isFinite(lng)) return hideProfileCursor();
    if (!vantrelProfileCursor) {
        vantrelProfileCursor =
            L.circleMarker(
                 [lat, lng],
                 {radius: 6, color: '#000000', weight: 2, fillColor: '#ffffff', fillOpacity: 1})
                .addTo(map.leaflet);
    }
    vantrelProfileCursor.setLatLng([lat, lng]).bringToFront();
}

function hideProfileCursor() {
    if (vantrelProfileCursor) map.leaflet.removeLayer(vantrelProfileCursor);
    vantrelProfileCursor = null;
}

// points: [[lat, lng], ...]; none clears the stretch.
function showProfileRange(points) {
    clearProfileRange();
    var kept = [];
    for (var i = 0; i < points.length; ++i) {
        var lat = Number(points[i][0]), lng = Number(points[i][1]);
        if (isFinite(lat) && isFinite(lng)) kept.push([lat, lng]);
    }
    if (kept.length === 0) return;
    vantrelProfileRange = L.polyline(kept, {color: '#ffd500', weight: 9, opacity: 0.8});
    vantrelProfileRange.addTo(map.leaflet);
    if (vantrelProfileCursor) vantrelProfileCursor.bringToFront();
}

function clearProfileRange() {
    if (vantrelProfileRange) map.leaflet.removeLayer(vantrelProfileRange);
    vantrelProfileRange = null;
}

// As JSON: {"cursor": [lat, lng] or null, "range": [[lat, lng], ...]}.
function vantrelProfileState() {
    var c = vantrelProfileCursor ? vantrelProfileCursor.getLatLng() : null;
    return JSON.stringify({
        cursor: c ? [c.lat, c.lng] : null,
        range: vantrelProfileRange ? vantrelProfileRange.getLatLngs().map(function(p) {
            return [p.lat, p.lng];
        }) :
                                     []
    });
}
