// Photo markers on the track page: one round marker per photo, drawn on a
// canvas so that thousands stay quick, its name shown as plain text when the
// pointer rests on it. showPhotos replaces every marker at once.

var vantrelPhotoLayer = null;
var vantrelPhotoPoints = [];

// list: [[lat, lng, title], ...]; entries that are no position are left out.
function showPhotos(list) {
  if (vantrelPhotoLayer) map.leaflet.removeLayer(vantrelPhotoLayer);
  vantrelPhotoLayer = L.layerGroup();
  vantrelPhotoPoints = [];
  var renderer = L.canvas({ padding: 0.5 });
  for (var i = 0; i < list.length; ++i) {
    var lat = Number(list[i][0]), lng = Number(list[i][1]);
    if (!isFinite(lat) || !isFinite(lng) || Math.abs(lat) > 90) continue;
    var marker = L.circleMarker([lat, lng], {
      renderer: renderer, radius: 7, color: '#ffffff', weight: 2,
      fillColor: '#1864ab', fillOpacity: 0.95
    });
    var title = document.createElement('span');
    title.textContent = String(list[i][2]);
    marker.bindTooltip(title);
    vantrelPhotoLayer.addLayer(marker);
    vantrelPhotoPoints.push([lat, lng]);
  }
  vantrelPhotoLayer.addTo(map.leaflet);
}

// The view fitted to the photos, or to every line the page has drawn when
// there are none, at the size the page has now (it may have been hidden
// when they were drawn).
function fitPhotos() {
  map.leaflet.invalidateSize(false);
  var points = vantrelPhotoPoints.slice();
  if (points.length === 0 && typeof vantrelLines !== 'undefined')
    for (var i = 0; i < vantrelLines.length; ++i) points = points.concat(vantrelLines[i].points);
  if (points.length > 0) map.fitPoints(points);
}

// What the photo layer shows, as JSON: {"photos": [[lat, lng], ...]}.
function vantrelPhotoState() {
  return JSON.stringify({ photos: vantrelPhotoPoints });
}
