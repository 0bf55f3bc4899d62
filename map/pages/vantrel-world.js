// The world layer under every map page: land, coastlines and country
// borders from Natural Earth (the world-atlas TopoJSON beside the pages,
// turned into shapes with topojson-client), drawn by the page itself into
// one canvas under the view. The coarse 1:110m shapes serve the lowest
// zooms, the 1:50m ones every other. It is drawn a strip at a time while the
// page is idle, so a track or marker shows first and the land fills in
// around it.

var VANTREL_WORLD_FOLDER = '../world/node_modules/world-atlas/';
var VANTREL_WORLD_COLOURS = { land: '#ece6d3', coast: '#7f9aa8', border: '#a0789a' };
// Below this zoom the 1:110m shapes are drawn.
var VANTREL_WORLD_DETAIL_ZOOM = 4;
// How long one turn of drawing may take before the page gets the thread
// back: short, so that a call of the program's never waits long behind it.
var VANTREL_WORLD_SLICE_MS = 3;

// A ring or line in Web Mercator units (0..1 from the west and the north),
// as [x0, y0, x1, y1, ...], with its bounding box.
// A path that crosses the 180th meridian goes on past it (x beyond 0..1)
// instead of jumping across the whole map.
function vantrelMercatorPath(points) {
  var xy = new Float64Array(points.length * 2);
  var box = [Infinity, Infinity, -Infinity, -Infinity];
  var shift = 0;
  for (var i = 0; i < points.length; ++i) {
    var lat = Math.max(-85.0511, Math.min(85.0511, points[i][1])) * Math.PI / 180;
    if (i > 0 && points[i][0] - points[i - 1][0] > 180) shift -= 360;
    if (i > 0 && points[i][0] - points[i - 1][0] < -180) shift += 360;
    var x = (points[i][0] + shift + 180) / 360;
    var y = (1 - Math.log(Math.tan(Math.PI / 4 + lat / 2)) / Math.PI) / 2;
    xy[2 * i] = x;
    xy[2 * i + 1] = y;
    if (x < box[0]) box[0] = x;
    if (y < box[1]) box[1] = y;
    if (x > box[2]) box[2] = x;
    if (y > box[3]) box[3] = y;
  }
  return { xy: xy, box: box };
}

// The land rings, coastlines and borders of one TopoJSON world.
function vantrelWorldShapes(topology) {
  var countries = topology.objects.countries;
  var shapes = { land: [], coast: [], borders: [] };
  topojson.feature(topology, countries).features.forEach(function (feature) {
    var g = feature.geometry;
    if (!g) return;
    var polygons = g.type === 'Polygon' ? [g.coordinates] : g.coordinates;
    polygons.forEach(function (rings) {
      rings.forEach(function (ring) { shapes.land.push(vantrelMercatorPath(ring)); });
    });
  });
  var lines = function (filter) {
    return topojson.mesh(topology, countries, filter).coordinates.map(vantrelMercatorPath);
  };
  shapes.coast = lines(function (a, b) { return a === b; });
  shapes.borders = lines(function (a, b) { return a !== b; });
  return shapes;
}

// Reads a JSON file beside the pages (file:// allows no fetch()).
function vantrelReadJson(name, done) {
  var request = new XMLHttpRequest();
  request.open('GET', VANTREL_WORLD_FOLDER + name);
  request.responseType = 'json';
  request.onload = function () { done(request.response); };
  request.onerror = function () { done(null); };
  request.send();
}

// The drawing of one rectangle of the world at a zoom: the paths whose box
// meets it, in the canvas's pixels. `scale` is the world's width in pixels,
// (ox, oy) the world pixel at the canvas's top left, `rect` the rectangle
// [x, y, width, height] in canvas pixels.
function VantrelPainter(context, scale, ox, oy, rect) {
  this.context = context;
  this.scale = scale;
  this.ox = ox;
  this.oy = oy;
  // The rectangle in Mercator units, with a margin for the width of a line.
  var margin = 4;
  this.box = [(ox + rect[0] - margin) / scale, (oy + rect[1] - margin) / scale,
              (ox + rect[0] + rect[2] + margin) / scale, (oy + rect[1] + rect[3] + margin) / scale];
}
VantrelPainter.prototype.meets = function (box) {
  return box[0] <= this.box[2] && box[2] >= this.box[0] &&
         box[1] <= this.box[3] && box[3] >= this.box[1];
};
// Adds the paths to the canvas path: rings cut to the tile and closed for
// filling, lines as the runs of their segments that meet the tile, so that
// far points never reach the canvas.
VantrelPainter.prototype.trace = function (paths, closed) {
  var c = this.context, s = this.scale, ox = this.ox, oy = this.oy, b = this.box;
  for (var p = 0; p < paths.length; ++p) {
    if (!this.meets(paths[p].box)) continue;
    var xy = paths[p].xy;
    if (closed) {
      xy = vantrelClipRing(xy, b);
      for (var i = 0; i < xy.length; i += 2) {
        if (i === 0) c.moveTo(xy[0] * s - ox, xy[1] * s - oy);
        else c.lineTo(xy[i] * s - ox, xy[i + 1] * s - oy);
      }
      if (xy.length) c.closePath();
      continue;
    }
    var drawing = false;
    for (var k = 2; k < xy.length; k += 2) {
      if (!vantrelSegmentMeets(xy[k - 2], xy[k - 1], xy[k], xy[k + 1], b)) {
        drawing = false;
        continue;
      }
      if (!drawing) c.moveTo(xy[k - 2] * s - ox, xy[k - 1] * s - oy);
      c.lineTo(xy[k] * s - ox, xy[k + 1] * s - oy);
      drawing = true;
    }
  }
};
VantrelPainter.prototype.paint = function (shapes) {
  var c = this.context;
  c.beginPath();
  this.trace(shapes.land, true);
  c.fillStyle = VANTREL_WORLD_COLOURS.land;
  c.fill('evenodd');
  c.lineJoin = 'round';
  c.beginPath();
  this.trace(shapes.coast, false);
  c.strokeStyle = VANTREL_WORLD_COLOURS.coast;
  c.lineWidth = 1;
  c.setLineDash([]);
  c.stroke();
  c.beginPath();
  this.trace(shapes.borders, false);
  c.strokeStyle = VANTREL_WORLD_COLOURS.border;
  c.lineWidth = 1.2;
  c.setLineDash([4, 2]);
  c.stroke();
};

// Whether the segment's box meets the box b (enough to keep its ends).
function vantrelSegmentMeets(x0, y0, x1, y1, b) {
  return Math.max(x0, x1) >= b[0] && Math.min(x0, x1) <= b[2] &&
         Math.max(y0, y1) >= b[1] && Math.min(y0, y1) <= b[3];
}

// A closed ring cut to the box b (Sutherland-Hodgman, one edge at a time);
// axis 0 is x, 1 is y, side +1 keeps what lies above the limit.
function vantrelClipRing(xy, b) {
  var edges = [[0, b[0], 1], [0, b[2], -1], [1, b[1], 1], [1, b[3], -1]];
  var points = xy;
  for (var e = 0; e < edges.length && points.length; ++e) {
    var axis = edges[e][0], limit = edges[e][1], side = edges[e][2];
    var out = [], n = points.length;
    for (var i = 0; i < n; i += 2) {
      var j = (i + n - 2) % n;
      var aIn = side * (points[j + axis] - limit) >= 0;
      var cIn = side * (points[i + axis] - limit) >= 0;
      if (aIn !== cIn) {
        var t = (limit - points[j + axis]) / (points[i + axis] - points[j + axis]);
        out.push(points[j] + t * (points[i] - points[j]),
                 points[j + 1] + t * (points[i + 1] - points[j + 1]));
      }
      if (cIn) out.push(points[i], points[i + 1]);
    }
    points = out;
  }
  return points;
}

// A tile layer's update (which tiles the view needs, asked for and dropped)
// done when the page is idle, so that what the program asked of the page (a
// track to draw, a marker to place) shows first.
function vantrelIdleUpdate(original) {
  return function () {
    if (this.vantrelLater) return;
    var self = this;
    this.vantrelLater = requestIdleCallback(function () {
      self.vantrelLater = 0;
      if (self._map) original.call(self);
    }, { timeout: 100 });
  };
}
// True while a layer has tiles to make or tiles on their way.
function vantrelLayerBusy(layer) {
  return !!layer._map && (!!layer.vantrelLater || layer.isLoading());
}
var VantrelTileLayer = L.TileLayer.extend({ _update: vantrelIdleUpdate(L.TileLayer.prototype._update) });

// The layer itself: one canvas over the view, in a pane under everything
// else. Whenever the view has moved it is cleared and drawn again, a strip
// at a time while the page is idle: a move costs the page nothing at once.
var VANTREL_WORLD_STRIP_PX = 96;
function VantrelWorld(leaflet) {
  var pane = leaflet.createPane('vantrelWorld');
  pane.style.zIndex = 100;
  pane.style.pointerEvents = 'none';
  this.leaflet = leaflet;
  this.canvas = L.DomUtil.create('canvas', 'vantrel-world', pane);
  this.shapes = null;   // { low, high } once both files are read
  this.failed = false;  // the files could not be read: no world layer
  this.strips = [];     // strips of the view still to draw
  this.pending = 0;     // the idle callback that draws the next strip
  this.drawn = 0;       // strips drawn so far
  var self = this;
  leaflet.on('moveend resize viewreset', function () { self.restart(); });
  leaflet.attributionControl.addAttribution('Natural Earth');
  this.load();
}
VantrelWorld.prototype.load = function () {
  var self = this, files = {};
  var read = function (name) {
    vantrelReadJson(name, function (topology) {
      files[name] = topology;
      if (!('countries-110m.json' in files) || !('countries-50m.json' in files)) return;
      try {
        self.shapes = { low: vantrelWorldShapes(files['countries-110m.json']),
                        high: vantrelWorldShapes(files['countries-50m.json']) };
      } catch (error) {
        self.failed = true;
      }
      self.restart();
    });
  };
  read('countries-110m.json');
  read('countries-50m.json');
};
// Places the canvas over the view, clears it and queues its strips.
VantrelWorld.prototype.restart = function () {
  var size = this.leaflet.getSize(), ratio = window.devicePixelRatio || 1;
  L.DomUtil.setPosition(this.canvas, this.leaflet.containerPointToLayerPoint([0, 0]));
  if (this.canvas.width !== size.x * ratio || this.canvas.height !== size.y * ratio) {
    this.canvas.width = size.x * ratio;
    this.canvas.height = size.y * ratio;
    this.canvas.style.width = size.x + 'px';
    this.canvas.style.height = size.y + 'px';
  }
  var context = this.canvas.getContext('2d');
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.clearRect(0, 0, size.x, size.y);
  this.strips = [];
  if (!this.shapes) return;
  var zoom = this.leaflet.getZoom();
  var origin = this.leaflet.project(this.leaflet.containerPointToLatLng([0, 0]), zoom);
  this.view = { zoom: zoom, scale: 256 * Math.pow(2, zoom), ox: origin.x, oy: origin.y };
  for (var y = 0; y < size.y; y += VANTREL_WORLD_STRIP_PX)
    this.strips.push([0, y, size.x, Math.min(VANTREL_WORLD_STRIP_PX, size.y - y)]);
  this.schedule();
};
VantrelWorld.prototype.schedule = function () {
  if (this.pending || !this.strips.length) return;
  var self = this;
  this.pending = requestIdleCallback(function () { self.pending = 0; self.drawSome(); },
                                     { timeout: 100 });
};
// Draws strips until the turn's time is used up, each world copy the view
// shows (the map repeats east and west).
VantrelWorld.prototype.drawSome = function () {
  var start = performance.now(), v = this.view;
  var shapes = v.zoom < VANTREL_WORLD_DETAIL_ZOOM ? this.shapes.low : this.shapes.high;
  var context = this.canvas.getContext('2d');
  var width = this.leaflet.getSize().x;
  while (this.strips.length && performance.now() - start < VANTREL_WORLD_SLICE_MS) {
    var rect = this.strips.shift();
    context.save();
    context.beginPath();
    context.rect(rect[0], rect[1], rect[2], rect[3]);
    context.clip();
    // From one copy west of the view: a path past the 180th meridian reaches in.
    for (var k = Math.floor(v.ox / v.scale) - 1; k * v.scale < v.ox + width; ++k)
      new VantrelPainter(context, v.scale, v.ox - k * v.scale, v.oy, rect).paint(shapes);
    context.restore();
    ++this.drawn;
  }
  this.schedule();
};
// True once the world is drawn for the view (or cannot be).
VantrelWorld.prototype.settled = function () {
  return this.failed || (this.shapes !== null && this.strips.length === 0);
};
