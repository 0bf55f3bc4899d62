// Shared by the three map pages. A Leaflet map behind the few globals that
// the program's script text expects (map, GLatLng, GMarker and a marker's
// openInfoWindowHtml). Under everything lies the world layer (land, coasts
// and borders, drawn in the page from data beside it), then a plain
// graticule, then the tiles the program serves: the map always shows where
// on Earth it is, with or without a network. A scale bar and the
// attribution of every layer shown sit in the corners.

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
// pane above the world layer and below the tiles.
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
    renderer: this.renderer, color: '#7d8a8f', weight: 1, opacity: 0.35, interactive: false
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

// The picture layer over the world: tiles the program serves through its own
// URL scheme (online tiles from its cache, or an offline map). Its settings
// come from the program: window.vantrelBaseLayer as the page starts, then
// vantrelSetBaseLayer() whenever the user picks another map. When many online
// tiles in a row have failed (no network and nothing cached there) the layer
// rests for a while, then is tried again the next time the view moves.
var VANTREL_TILES_FAILURES_TO_REST = 8;
var VANTREL_TILES_REST_MS = 30000;
function VantrelTiles(leaflet) {
  this.leaflet = leaflet;
  this.layer = null;
  this.loaded = 0;
  this.failed = 0;
  this.failedInRow = 0;
  this.restingUntil = 0;  // while resting, the layer is off the map
  var self = this;
  leaflet.on('moveend', function () { self.wake(); });
}
VantrelTiles.prototype.show = function (settings) {
  this.hide();
  if (!settings || !settings.url) return;
  var self = this;
  this.loaded = 0;
  this.failed = 0;
  this.failedInRow = 0;
  this.restingUntil = 0;
  // The layer's credit shows once a picture of it does.
  this.credit = settings.attribution || '';
  this.layer = new VantrelTileLayer(settings.url, {
    minZoom: settings.minZoom || 0, maxNativeZoom: settings.maxZoom, maxZoom: 19
  });
  this.layer.on('tileload', function () {
    self.failedInRow = 0;
    if (++self.loaded === 1 && self.credit) self.leaflet.attributionControl.addAttribution(self.credit);
  });
  this.layer.on('tileerror', function () {
    ++self.failed;
    if (++self.failedInRow >= VANTREL_TILES_FAILURES_TO_REST && settings.online) self.rest();
  });
  this.layer.addTo(this.leaflet);
  var bounds = settings.bounds && L.latLngBounds(settings.bounds);
  if (settings.fit && bounds && bounds.isValid() && !this.leaflet.getBounds().intersects(bounds))
    this.leaflet.fitBounds(bounds, { animate: false });
};
VantrelTiles.prototype.rest = function () {
  if (this.restingUntil || !this.layer) return;
  this.restingUntil = Date.now() + VANTREL_TILES_REST_MS;
  this.leaflet.removeLayer(this.layer);
};
VantrelTiles.prototype.wake = function () {
  if (!this.restingUntil || Date.now() < this.restingUntil) return;
  this.restingUntil = 0;
  this.failedInRow = 0;
  this.layer.addTo(this.leaflet);
};
VantrelTiles.prototype.hide = function () {
  if (!this.layer) return;
  if (this.loaded > 0 && this.credit) this.leaflet.attributionControl.removeAttribution(this.credit);
  this.leaflet.removeLayer(this.layer);
  this.layer = null;
};
VantrelTiles.prototype.showing = function () {
  return this.layer !== null && !this.restingUntil && this.loaded > 0;
};
// True while tiles the view shows are still on their way.
VantrelTiles.prototype.loading = function () {
  return this.layer !== null && vantrelLayerBusy(this.layer);
};

// The page's map: the object script text reaches as `map`.
function VantrelMap(elementId, options) {
  var settings = { zoomAnimation: false, fadeAnimation: false, markerZoomAnimation: false,
                   worldCopyJump: true, maxZoom: 19 };
  for (var key in options || {}) settings[key] = options[key];
  this.leaflet = L.map(elementId, settings).setView([0, 0], 2);
  this.overlays = [];
  this.openPopup = null;
  var self = this;
  this.leaflet.on('popupopen', function (e) { self.openPopup = e.popup; });
  this.leaflet.on('popupclose', function (e) {
    if (self.openPopup === e.popup) self.openPopup = null;
  });
  this.leaflet.attributionControl.setPrefix('Leaflet');
  L.control.scale({ position: 'bottomleft', maxWidth: 120 }).addTo(this.leaflet);
  this.world = new VantrelWorld(this.leaflet);
  this.graticule = new VantrelGraticule(this.leaflet);
  this.tiles = new VantrelTiles(this.leaflet);
  this.tiles.show(window.vantrelBaseLayer);
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
    background: this.tiles.showing() ? 'tiles' : this.world.drawn > 0 ? 'world' : 'graticule',
    graticuleLines: this.graticule.count(),
    worldDrawn: this.world.drawn,
    tilesLoaded: this.tiles.loaded,
    tilesFailed: this.tiles.failed,
    tilesResting: this.tiles.restingUntil > 0
  };
  for (var key in fields) state[key] = fields[key];
  return JSON.stringify(state);
};
// [lat, lng] of a Leaflet layer that has a position.
function vantrelPosition(layer) {
  var p = layer.getLatLng();
  return [p.lat, p.lng];
}

// Shows another picture layer (the program's choice of map).
function vantrelSetBaseLayer(settings) {
  settings.fit = true;
  map.tiles.show(settings);
}
// True once what the view shows has been drawn: the world layer, and every
// tile has loaded or failed. The program waits for it before a screenshot.
function vantrelSettled() {
  return map.world.settled() && !map.tiles.loading();
}
