// The world layer under every map page: land, coastlines and country
// borders from Natural Earth (the world-atlas TopoJSON beside the pages,
// turned into shapes with topojson-client), drawn into canvas tiles of the
// page's own. The coarse 1:110m shapes serve the lowest zooms, the 1:50m
// ones every other. Tiles are drawn a few at a time after the view has
// moved, so a track or marker shows first and the land fills in around it.

var VANTREL_WORLD_FOLDER = '../world/node_modules/world-atlas/';
var VANTREL_WORLD_COLOURS = { land: '#ece6d3', coast: '#7f9aa8', border: '#a0789a' };
// Below this zoom the 1:110m shapes are drawn.
var VANTREL_WORLD_DETAIL_ZOOM = 4;
// How long one turn of drawing may take before the page gets the thread back.
var VANTREL_WORLD_SLICE_MS = 12;

// A ring or line in Web Mercator units (0..1 from the west and the north),
// as [x0, y0, x1, y1, ...], with its bounding box.
function vantrelMercatorPath(points) {
  var xy = new Float64Array(points.length * 2);
  var box = [Infinity, Infinity, -Infinity, -Infinity];
  for (var i = 0; i < points.length; ++i) {
    var lat = Math.max(-85.0511, Math.min(85.0511, points[i][1])) * Math.PI / 180;
    var x = (points[i][0] + 180) / 360;
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

// One tile's drawing: the paths whose box meets the tile, in tile pixels.
function VantrelTilePainter(canvas, coords) {
  var ratio = window.devicePixelRatio || 1;
  canvas.width = canvas.height = 256 * ratio;
  this.context = canvas.getContext('2d');
  this.context.scale(ratio, ratio);
  this.scale = 256 * Math.pow(2, coords.z);
  this.ox = coords.x * 256;
  this.oy = coords.y * 256;
  // The tile in Mercator units, with a margin for the width of a line.
  var margin = 4 / this.scale;
  this.box = [coords.x * 256 / this.scale - margin, coords.y * 256 / this.scale - margin,
              (coords.x + 1) * 256 / this.scale + margin, (coords.y + 1) * 256 / this.scale + margin];
}
VantrelTilePainter.prototype.meets = function (box) {
  return box[0] <= this.box[2] && box[2] >= this.box[0] &&
         box[1] <= this.box[3] && box[3] >= this.box[1];
};
// Adds the paths to the canvas path: rings cut to the tile and closed for
// filling, lines as the runs of their segments that meet the tile, so that
// far points never reach the canvas.
VantrelTilePainter.prototype.trace = function (paths, closed) {
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
VantrelTilePainter.prototype.paint = function (shapes) {
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

// The layer itself: a grid of canvas tiles in a pane under everything else.
function VantrelWorld(leaflet) {
  var pane = leaflet.createPane('vantrelWorld');
  pane.style.zIndex = 100;
  pane.style.pointerEvents = 'none';
  this.shapes = null;   // { low, high } once both files are read
  this.failed = false;  // the files could not be read: no world layer
  this.queue = [];      // tiles waiting to be drawn: [canvas, coords, done]
  this.drawn = 0;       // tiles drawn so far
  var self = this;
  var Layer = L.GridLayer.extend({
    createTile: function (coords, done) {
      var canvas = L.DomUtil.create('canvas', 'vantrel-world-tile');
      self.queue.push([canvas, coords, done]);
      self.schedule();
      return canvas;
    }
  });
  this.layer = new Layer({ pane: 'vantrelWorld', attribution: 'Natural Earth',
                           updateWhenZooming: false, keepBuffer: 1 });
  this.layer.addTo(leaflet);
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
      if (!files['countries-110m.json'] || !files['countries-50m.json']) self.failed = true;
      self.schedule();
    });
  };
  read('countries-110m.json');
  read('countries-50m.json');
};
VantrelWorld.prototype.schedule = function () {
  if (this.pending || (!this.shapes && !this.failed)) return;
  var self = this;
  this.pending = setTimeout(function () { self.pending = 0; self.drawSome(); }, 0);
};
// Draws queued tiles until the turn's time is used up.
VantrelWorld.prototype.drawSome = function () {
  var start = performance.now();
  while (this.queue.length && performance.now() - start < VANTREL_WORLD_SLICE_MS) {
    var item = this.queue.shift();
    // A tile the view has dropped meanwhile is not drawn.
    if (this.shapes && item[0].parentNode) {
      var coords = item[1];
      var shapes = coords.z < VANTREL_WORLD_DETAIL_ZOOM ? this.shapes.low : this.shapes.high;
      new VantrelTilePainter(item[0], coords).paint(shapes);
      ++this.drawn;
    }
    item[2](null, item[0]);
  }
  if (this.queue.length) this.schedule();
};
// True once the world is drawn for the view (or cannot be).
VantrelWorld.prototype.settled = function () {
  return this.failed || (this.shapes !== null && this.queue.length === 0 &&
                         !this.layer.isLoading());
};
