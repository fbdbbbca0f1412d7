// GEvent: listeners on runtime objects (maps, markers) and, for completeness, on DOM nodes.

function Listener(target, name, fn) {
  this.target = target;
  this.name = name;
  this.fn = fn;
}

// Runtime objects carry a __gevents table from their constructor.
function listenersOf(target, name) {
  return target.__gevents[name] || (target.__gevents[name] = []);
}

export var GEvent = {
  addListener: function (target, name, fn) {
    var h = new Listener(target, String(name), fn);
    if (target && target.__gevents) {
      listenersOf(target, h.name).push(h);
    } else if (target && target.addEventListener) {
      h.dom = function (e) { return fn.call(target, e); };
      target.addEventListener(h.name, h.dom, false);
    }
    return h;
  },
  bind: function (target, name, object, method) {
    return GEvent.addListener(target, name, function () { return method.apply(object, arguments); });
  },
  removeListener: function (h) {
    if (!h || !h.target) return;
    if (h.dom) {
      h.target.removeEventListener(h.name, h.dom, false);
    } else if (h.target.__gevents && h.target.__gevents[h.name]) {
      var list = h.target.__gevents[h.name];
      var i = list.indexOf(h);
      if (i >= 0) list.splice(i, 1);
    }
    h.target = null;
  },
  clearListeners: function (target, name) {
    if (target && target.__gevents) {
      if (name === undefined) target.__gevents = {}; else delete target.__gevents[name];
    }
  },
  clearInstanceListeners: function (target) { GEvent.clearListeners(target); },
  trigger: function (target, name) {
    if (!target || !target.__gevents || !target.__gevents[name]) return;
    var args = Array.prototype.slice.call(arguments, 2);
    // A handler may remove itself or others; walk a copy.
    target.__gevents[name].slice().forEach(function (h) {
      if (h.target) h.fn.apply(target, args);
    });
  }
};
