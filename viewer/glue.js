// Glue between Habitopia's viewer widget and the X_ITE browser in this page.
//
// The widget calls window.habitopia.* through runJavaScript; results that arrive
// later (end of a load, a grabbed frame) go back through the Qt WebChannel object
// "bridge". Camera, fit and restore use the active viewpoint's user offsets, which
// are X_ITE internals: the x_ite version is pinned in package.json and the viewer
// tests cover every call made here.
(function () {
  "use strict";

  // ---- Messages ---------------------------------------------------------------
  // X_ITE reports parse errors and warnings on the console. They are collected so
  // that the widget can hand them over with the result of a load.

  const messages = [];
  const maxMessages = 200;

  function textOf(value) {
    if (value instanceof Error) return value.message || String(value);
    if (typeof value === "string") return value;
    try {
      return JSON.stringify(value);
    } catch (e) {
      return String(value);
    }
  }

  for (const level of ["log", "info", "warn", "error", "debug"]) {
    const original = console[level].bind(console);
    console[level] = function (...args) {
      if (messages.length < maxMessages) {
        const text = args.map(textOf).join(" ").trim();
        if (text) messages.push(level === "log" || level === "info" || level === "debug" ? text : level + ": " + text);
      }
      original(...args);
    };
  }

  // ---- Frames -----------------------------------------------------------------
  // X_ITE draws in requestAnimationFrame callbacks, which Chromium stops while the
  // widget is out of sight. A callback that has not come within a tenth of a
  // second is run from a timer instead, so that loads and grabs finish then too.

  const nativeRequestFrame = window.requestAnimationFrame.bind(window);
  const nativeCancelFrame = window.cancelAnimationFrame.bind(window);
  const frameRequests = new Map();
  let nextFrameRequest = 1;

  window.requestAnimationFrame = function (callback) {
    const handle = nextFrameRequest++;
    const run = (time) => {
      const request = frameRequests.get(handle);
      if (!request) return;
      frameRequests.delete(handle);
      nativeCancelFrame(request.frame);
      clearTimeout(request.timer);
      callback(time);
    };
    frameRequests.set(handle, {
      frame: nativeRequestFrame(run),
      timer: setTimeout(() => run(performance.now()), 100),
    });
    return handle;
  };

  window.cancelAnimationFrame = function (handle) {
    const request = frameRequests.get(handle);
    if (!request) return;
    frameRequests.delete(handle);
    nativeCancelFrame(request.frame);
    clearTimeout(request.timer);
  };

  // ---- Page state -------------------------------------------------------------

  let bridge = null;      // the widget's QObject
  let browser = null;     // the X3DBrowser
  let element = null;     // the <x3d-canvas>
  let queue = Promise.resolve();  // loads, animation changes and grabs run in order
  let mode = "turn";      // navigation mode of the left mouse button
  let frozen = null;      // time sensors stopped by setAnimationFraction

  function enqueue(task) {
    const run = queue.then(task);
    queue = run.catch(() => {});
    return run;
  }

  let collection = null;

  function collectGarbage() {
    // Exposed by the widget's --js-flags=--expose-gc: frees the previous world
    // and its WebGL buffers. Left to V8, the memory of a reload loop settles
    // about a third higher. Run once loads have paused, as a full collection
    // takes longer than drawing a frame.
    if (typeof window.gc !== "function") return;
    clearTimeout(collection);
    collection = setTimeout(() => window.gc(), 400);
  }

  // ---- Navigation -------------------------------------------------------------
  // "turn" is X_ITE's examine viewer. "pan" (slide in the picture plane; X_ITE
  // pans only with the middle button), "plan" (move in the horizontal plane) and
  // "roll" (turn about the line of sight) are done here with the left button,
  // X_ITE's own viewer switched off.

  const nativeViewers = { turn: "EXAMINE", pan: "NONE", plan: "NONE", roll: "NONE" };

  function applyMode() {
    if (!browser) return;
    // Set on the bound NavigationInfo: X_ITE copies its viewer to the browser
    // whenever it looks at the active layer again, which would undo a setting
    // made on the browser alone.
    const info = browser.getActiveNavigationInfo();
    if (info) info._viewer = nativeViewers[mode];
    else browser._viewer = nativeViewers[mode];
  }

  function viewpoint() {
    return browser ? browser.getActiveViewpoint() : null;
  }

  function rotate(orientation, x, y, z) {
    return orientation.multVecRot(new X3D.Vector3(x, y, z));
  }

  function horizontal(vector) {
    // The part of a vector in the horizontal (x-z) plane, normalised; null when the
    // vector is (nearly) vertical.
    const flat = new X3D.Vector3(vector.x, 0, vector.z);
    const length = flat.norm();
    return length < 1e-6 ? null : flat.divide(length);
  }

  let drag = null;

  function pointer(event) {
    const rect = element.getBoundingClientRect();
    return { x: event.clientX - rect.left, y: event.clientY - rect.top, width: rect.width, height: rect.height };
  }

  function onMouseDown(event) {
    if (event.button !== 0 || mode === "turn") return;
    const vp = viewpoint();
    if (!vp) return;
    vp.transitionStop();
    drag = pointer(event);
    event.preventDefault();
  }

  function onMouseMove(event) {
    if (!drag) return;
    const vp = viewpoint();
    if (!vp) return;
    const now = pointer(event);
    const orientation = vp.getUserOrientation().copy();
    const position = vp.getUserPosition().copy();
    if (mode === "pan" || mode === "plan") {
      // The scene under the pointer follows it, at the distance of the centre of
      // rotation.
      const centre = vp.getUserCenterOfRotation().copy();
      const distance = Math.max(position.copy().subtract(centre).norm(), 1e-6);
      const perPixel = 2 * distance * Math.tan(vp.getUserFieldOfView() / 2) / Math.max(now.height, 1);
      const dx = now.x - drag.x;
      const dy = now.y - drag.y;
      let move;
      if (mode === "pan") {
        // Slide in the picture plane.
        move = rotate(orientation, -dx * perPixel, dy * perPixel, 0);
      } else {
        // Pointer up walks forward, sideways steps sideways, both in the
        // horizontal plane.
        const right = horizontal(rotate(orientation, 1, 0, 0));
        const forward = horizontal(rotate(orientation, 0, 0, -1)) || horizontal(rotate(orientation, 0, 1, 0));
        move = new X3D.Vector3(0, 0, 0);
        if (right) move.add(right.multiply(-dx * perPixel));
        if (forward) move.add(forward.multiply(-dy * perPixel));
      }
      vp.setUserPosition(position.add(move));
      vp.setUserCenterOfRotation(centre.add(move));
    } else {
      // Roll: the angle swept by the pointer around the middle of the picture.
      const a0 = Math.atan2(drag.y - drag.height / 2, drag.x - drag.width / 2);
      const a1 = Math.atan2(now.y - now.height / 2, now.x - now.width / 2);
      const turn = new X3D.Rotation4(0, 0, 1, a1 - a0);
      vp.setUserOrientation(turn.multRight(orientation));
    }
    drag = now;
    browser.addBrowserEvent();
    event.preventDefault();
  }

  function onMouseUp(event) {
    if (event.button === 0) drag = null;
  }

  // ---- Animation --------------------------------------------------------------

  function timeSensorRoutes() {
    const routes = [];
    const scene = browser.currentScene;
    if (!scene) return routes;
    for (const route of scene.routes) {
      const source = route.sourceNode;
      if (source && source.getNodeTypeName() === "TimeSensor" && route.sourceField === "fraction_changed")
        routes.push(route);
    }
    return routes;
  }

  async function setAnimationFraction(fraction) {
    const routes = timeSensorRoutes();
    if (!frozen) {
      frozen = [];
      for (const route of routes) {
        const sensor = route.sourceNode;
        if (!frozen.includes(sensor)) {
          frozen.push(sensor);
          sensor.enabled = false;
        }
      }
      // Let the stopped sensors send their last events before ours.
      await browser.nextFrame();
    }
    for (const route of routes) route.destinationNode[route.destinationField] = fraction;
    await browser.nextFrame();
  }

  function resumeAnimation() {
    if (!frozen) return;
    for (const sensor of frozen) sensor.enabled = true;
    frozen = null;
    browser.addBrowserEvent();
  }

  // ---- Loads --------------------------------------------------------------------
  // A scene shown before is read again and, when only field values changed, the
  // shown world takes them over (world-update.js); else a VRML 2.0 scene parsed
  // here replaces the world. Other scenes, and scenes that fail here, go through
  // X_ITE's loader.

  let shownPath = null;   // the scene file shown, without query, when it loaded
  let inPlaceUpdates = 0;

  // The scene file's text; null for a compressed file, which is left to X_ITE's
  // own loader.
  async function readAgain(url) {
    const response = await fetch(url);
    if (!response.ok) return null;
    const bytes = new Uint8Array(await response.arrayBuffer());
    if (bytes.length >= 2 && bytes[0] === 0x1f && bytes[1] === 0x8b) return null;
    return new TextDecoder().decode(bytes);
  }

  // A VRML 2.0 scene parsed at once into a world to show. X_ITE's own loader
  // waits two frames after parsing; and a VRML 2.0 scene needs no component that
  // its first load did not bring.
  function parseWorld(text, url) {
    if (!/^#VRML V2\.0 utf8/.test(text)) return null;
    const scene = new X3D.X3DScene(browser);
    scene.setWorldURL(new URL(url).href);
    scene.setup();
    const parser = new X3D.VRMLParser(scene);
    parser.setInput(text);
    if (!parser.isValid()) return null;
    parser.pushExecutionContext(scene);
    parser.parseIntoScene();
    return scene;
  }

  // Parses VRML into a scene whose nodes are never set up: they hold the field
  // values and routes of the file but build no geometry and join no live world,
  // which is what the comparison needs and a fraction of a full parse's time.
  function parseFieldsOnly(text) {
    const scene = new X3D.X3DScene(browser);
    const parser = new X3D.VRMLParser(scene);
    parser.setInput(text);
    if (!parser.isValid()) return null;
    parser.setupNodes = function () {
      this.getPlaceholders().forEach((placeholder) => placeholder.replaceWithNode());
      this.getPlaceholders().clear();
      this.getNodes().length = 0;
    };
    parser.pushExecutionContext(scene);
    parser.parseIntoScene();
    return scene;
  }

  // ---- Entry points for the widget ---------------------------------------------

  const habitopia = {
    // `text` is the scene file's text as the widget read it, or null.
    load(id, url, text) {
      enqueue(async () => {
        messages.length = 0;
        frozen = null;
        if (!browser) {
          bridge.loadFinished(id, false, "the viewer has no WebGL", []);
          return;
        }
        // The widget opens the scene's folders to this load only when it reads
        // files, and only now, when the loads before it are done with theirs.
        let started = false;
        const start = async () => {
          if (started) return;
          started = true;
          await new Promise((resolve) => bridge.loadStarting(id, resolve));
        };
        const path = url.replace(/[?#].*$/, "");
        const heard = messages.length;
        let update = null;
        try {
          if (path !== shownPath) text = null;
          else if (typeof text !== "string") {
            await start();
            text = await readAgain(url);
          }
          const parsed = text === null ? null : parseFieldsOnly(text);
          update = parsed ? habitopiaWorld.match(browser.currentScene, parsed) : null;
        } catch (error) {
          // A scene that does not parse here is loaded in full, which reports why.
          text = null;
        }
        if (update) {
          habitopiaWorld.apply(update);
          // The view starts from the scene's viewpoint, as in a reloaded world.
          const vp = viewpoint();
          if (vp) {
            vp.transitionStop();
            vp.resetUserOffsets();
          }
          await browser.nextFrame();
          ++inPlaceUpdates;
          bridge.loadFinished(id, true, "", messages.slice());
          return;
        }
        messages.length = heard;
        await start();
        let world = null;
        try {
          world = text === null ? null : parseWorld(text, url);
        } catch (error) {
          world = null;
        }
        if (world) {
          await browser.replaceWorld(world);
          applyMode();
          await browser.nextFrame();
          bridge.loadFinished(id, true, "", messages.slice());
          collectGarbage();
          return;
        }
        shownPath = null;
        // The messages of the attempts come again from the full load.
        messages.length = heard;
        try {
          await browser.loadURL(new X3D.MFString(url));
          applyMode();
          await browser.nextFrame();
          shownPath = path;
          bridge.loadFinished(id, true, "", messages.slice());
        } catch (error) {
          const reason = textOf(error) || "the scene could not be loaded";
          // Show nothing rather than a half-replaced world.
          try {
            await browser.replaceWorld(null);
          } catch (e) {
            // Nothing more to take down.
          }
          bridge.loadFinished(id, false, reason, messages.slice());
        }
        // After the report, so that the scene shows without waiting for it.
        collectGarbage();
      });
    },

    // How many loads were done by updating the shown world (for the viewer's bench
    // and tests).
    inPlaceUpdates() {
      return inPlaceUpdates;
    },

    clear() {
      enqueue(async () => {
        if (!browser) return;
        frozen = null;
        shownPath = null;
        await browser.replaceWorld(null);
        collectGarbage();
      });
    },

    camera() {
      const vp = viewpoint();
      if (!vp) return null;
      const p = vp.getUserPosition();
      const r = vp.getUserOrientation();
      return {
        position: [p.x, p.y, p.z],
        orientation: [r.x, r.y, r.z, r.angle],
        fieldOfView: vp.getUserFieldOfView ? vp.getUserFieldOfView() : 0,
      };
    },

    setCamera(position, orientation, fieldOfView) {
      const vp = viewpoint();
      if (!vp) return false;
      vp.transitionStop();
      vp.setUserPosition(new X3D.Vector3(position[0], position[1], position[2]));
      vp.setUserOrientation(new X3D.Rotation4(orientation[0], orientation[1], orientation[2], orientation[3]));
      if (fieldOfView > 0 && vp.getFieldOfView) vp._fieldOfViewScale = fieldOfView / vp.getFieldOfView();
      browser.addBrowserEvent();
      return true;
    },

    command(name) {
      const vp = viewpoint();
      switch (name) {
        case "fit": {
          if (!vp) return false;
          vp.transitionStop();
          vp.viewAll(browser.getActiveLayer().getBBox(new X3D.Box3()));
          break;
        }
        case "restore": {
          if (!vp) return false;
          vp.transitionStop();
          vp.resetUserOffsets();
          break;
        }
        case "plan":
        case "pan":
        case "turn":
        case "roll":
          mode = name;
          drag = null;
          applyMode();
          break;
        default:
          return false;
      }
      browser.addBrowserEvent();
      return true;
    },

    setHeadlight(on) {
      const info = browser.getActiveNavigationInfo();
      if (!info) return false;
      info._headlight = !!on;
      browser.addBrowserEvent();
      return true;
    },

    headlight() {
      const info = browser.getActiveNavigationInfo();
      return info ? info._headlight.getValue() : false;
    },

    setAnimationFraction(fraction) {
      enqueue(() => setAnimationFraction(fraction));
    },

    resumeAnimation() {
      enqueue(() => resumeAnimation());
    },

    grab(id) {
      enqueue(async () => {
        try {
          await browser.nextFrame();
          const canvas = browser.getCanvas()[0];
          bridge.frameGrabbed(id, canvas.toDataURL("image/png"), "");
        } catch (error) {
          bridge.frameGrabbed(id, "", textOf(error));
        }
      });
    },
  };

  window.habitopia = habitopia;

  // ---- Start ------------------------------------------------------------------

  function rendererInfo() {
    try {
      const gl = browser.getContext();
      const debug = gl.getExtension("WEBGL_debug_renderer_info");
      return {
        webgl: true,
        renderer: String(gl.getParameter(debug ? debug.UNMASKED_RENDERER_WEBGL : gl.RENDERER)),
      };
    } catch (error) {
      return { webgl: false, renderer: textOf(error) };
    }
  }

  function connect(info) {
    new QWebChannel(qt.webChannelTransport, (channel) => {
      bridge = channel.objects.bridge;
      bridge.pageReady(info);
    });
  }

  window.addEventListener("load", () => {
    element = document.getElementById("canvas");
    X3D()
      .then(() => {
        browser = element.browser;
        element.addEventListener("mousedown", onMouseDown, true);
        window.addEventListener("mousemove", onMouseMove, true);
        window.addEventListener("mouseup", onMouseUp, true);
        applyMode();
        connect(Object.assign({ version: String(browser.getVersion()) }, rendererInfo()));
      })
      .catch((error) => connect({ webgl: false, renderer: textOf(error), version: "" }));
  });
})();
