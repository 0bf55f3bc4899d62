// Shared by the three map pages. A Leaflet map behind the few globals that
// the program's script text expects (map, GLatLng, GMarker and a marker's
// openInfoWindowHtml), with OpenStreetMap tiles while online laid over a
// plain graticule, so that tracks and markers still show when the tiles
// cannot load.

L.Icon.Default.imagePath = 'file:///usr/share/javascript/leaflet/images/';

// A point in decimal degrees, latitude first.
function GLatLng(lat, lng) {
  if (!(this instanceof GLatLng)) return new GLatLng(lat, lng);
  this.lat_ = Number(lat);
  this.lng_ = Number(lng);
}
GLatLng.prototype.lat = function () { return this.lat_; };
GLatLng.prototype.lng = function () { return this.lng_; };
GLatLng.prototype.isValid = function () {
  return isFinite(this.lat_) && isFinite(this.lng_) && Math.abs(this.lat_) <= 90;
};
GLatLng.prototype.toLeaflet = function () { return L.latLng(this.lat_, this.lng_); };

// A marker at a point; it shows once added to the map with addOverlay.
function GMarker(point) {
  if (!(this instanceof GMarker)) return new GMarker(point);
  this.point = point;
  this.layer = point && point.isValid && point.isValid() ? L.marker(point.toLeaflet()) : null;
  this.infoHtml = null;
}
// Opens an info window above the marker showing `html`.
GMarker.prototype.openInfoWindowHtml = function (html) {
  this.infoHtml = String(html);
  if (!this.layer) return;
  this.layer.bindPopup(this.infoHtml, { autoPan: false });
  if (this.layer._map) this.layer.openPopup();
};

// The graticule step in degrees for a zoom: about one line per 100 pixels.
function vantrelGraticuleStep(zoom) {
  var wanted = 360 / (256 * Math.pow(2, zoom)) * 100;
  var steps = [0.0001, 0.0002, 0.0005, 0.001, 0.002, 0.005, 0.01, 0.02, 0.05,
               0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30];
  for (var i = 0; i < steps.length; ++i)
    if (steps[i] >= wanted) return steps[i];
  return 30;
}

// Thin grey lines of latitude and longitude over what the view shows, in a
// pane below the tiles.
function VantrelGraticule(leaflet) {
  var pane = leaflet.createPane('vantrelGraticule');
  pane.style.zIndex = 150;
  pane.style.pointerEvents = 'none';
  this.leaflet = leaflet;
  this.renderer = L.svg({ pane: 'vantrelGraticule' });
  this.lines = L.layerGroup().addTo(leaflet);
  var self = this;
  leaflet.on('moveend zoomend resize viewreset', function () { self.redraw(); });
  this.redraw();
}
VantrelGraticule.prototype.line = function (points) {
  this.lines.addLayer(L.polyline(points, {
    renderer: this.renderer, color: '#9a9a92', weight: 1, interactive: false
  }));
};
VantrelGraticule.prototype.redraw = function () {
  this.lines.clearLayers();
  var size = this.leaflet.getSize();
  if (size.x <= 0 || size.y <= 0) return;
  var bounds = this.leaflet.getBounds().pad(0.2);
  var step = vantrelGraticuleStep(this.leaflet.getZoom());
  var south = Math.max(bounds.getSouth(), -85), north = Math.min(bounds.getNorth(), 85);
  var west = bounds.getWest(), east = bounds.getEast();
  var budget = 400;
  for (var lat = Math.ceil(south / step) * step; lat <= north && budget > 0; lat += step, --budget)
    this.line([[lat, west], [lat, east]]);
  for (var lng = Math.ceil(west / step) * step; lng <= east && budget > 0; lng += step, --budget)
    this.line([[south, lng], [north, lng]]);
};
VantrelGraticule.prototype.count = function () { return this.lines.getLayers().length; };

// OpenStreetMap tiles while the browser says it is online. A layer whose
// first tiles all fail is taken away until the browser is online again.
function VantrelTiles(leaflet) {
  this.leaflet = leaflet;
  this.layer = null;
  this.loaded = 0;
  this.failed = 0;
  var self = this;
  window.addEventListener('online', function () { self.show(); });
  window.addEventListener('offline', function () { self.hide(); });
  if (navigator.onLine) this.show();
}
VantrelTiles.prototype.show = function () {
  if (this.layer) return;
  var self = this;
  this.loaded = 0;
  this.failed = 0;
  this.layer = L.tileLayer('https://tile.openstreetmap.org/{z}/{x}/{y}.png', {
    maxZoom: 19, attribution: '&copy; OpenStreetMap contributors'
  });
  this.layer.on('tileload', function () { ++self.loaded; });
  this.layer.on('tileerror', function () {
    ++self.failed;
    if (self.loaded === 0 && self.failed >= 4) self.hide();
  });
  this.layer.addTo(this.leaflet);
};
VantrelTiles.prototype.hide = function () {
  if (!this.layer) return;
  this.leaflet.removeLayer(this.layer);
  this.layer = null;
};
VantrelTiles.prototype.showing = function () { return this.layer !== null && this.loaded > 0; };

// The page's map: the object script text reaches as `map`.
function VantrelMap(elementId, options) {
  var settings = { zoomAnimation: false, fadeAnimation: false, markerZoomAnimation: false,
                   worldCopyJump: true };
  for (var key in options || {}) settings[key] = options[key];
  this.leaflet = L.map(elementId, settings).setView([0, 0], 2);
  this.overlays = [];
  this.openPopup = null;
  var self = this;
  this.leaflet.on('popupopen', function (e) { self.openPopup = e.popup; });
  this.leaflet.on('popupclose', function (e) {
    if (self.openPopup === e.popup) self.openPopup = null;
  });
  this.graticule = new VantrelGraticule(this.leaflet);
  this.tiles = new VantrelTiles(this.leaflet);
}
// Centres the map on a GLatLng; a zoom that is not a number keeps the zoom.
VantrelMap.prototype.setCenter = function (point, zoom) {
  if (!point || !point.isValid || !point.isValid()) return;
  var z = Number(zoom);
  this.leaflet.setView(point.toLeaflet(), isFinite(z) ? z : this.leaflet.getZoom(),
                       { animate: false });
};
// Fits the view to [lat, lng] points: the whole track shows with a margin,
// zoomed in no closer than a street; a single point is shown at that zoom.
VantrelMap.prototype.fitPoints = function (points) {
  var bounds = L.latLngBounds(points);
  if (!bounds.isValid()) return;
  this.leaflet.fitBounds(bounds, { padding: [24, 24], maxZoom: 16, animate: false });
};
// Shows a GMarker (with its info window, when it has one).
VantrelMap.prototype.addOverlay = function (overlay) {
  if (!overlay || !overlay.layer) return;
  overlay.layer.addTo(this.leaflet);
  this.overlays.push(overlay);
  if (overlay.infoHtml !== null) overlay.layer.openPopup();
};
// Takes every overlay and the info window away.
VantrelMap.prototype.clearOverlays = function () {
  for (var i = 0; i < this.overlays.length; ++i) this.leaflet.removeLayer(this.overlays[i].layer);
  this.overlays = [];
  this.leaflet.closePopup();
};
// The text the open info window shows, or '' when none is open.
VantrelMap.prototype.infoText = function () {
  var element = this.openPopup && this.openPopup.getElement();
  var content = element && element.querySelector('.leaflet-popup-content');
  return content ? content.textContent : '';
};
// What every page's vantrelPageState() reports, with the page's own fields.
VantrelMap.prototype.state = function (fields) {
  var centre = this.leaflet.getCenter();
  var state = {
    center: [centre.lat, centre.lng],
    zoom: this.leaflet.getZoom(),
    background: this.tiles.showing() ? 'tiles' : 'graticule',
    graticuleLines: this.graticule.count()
  };
  for (var key in fields) state[key] = fields[key];
  return JSON.stringify(state);
};
// [lat, lng] of a Leaflet layer that has a position.
function vantrelPosition(layer) {
  var p = layer.getLatLng();
  return [p.lat, p.lng];
}
