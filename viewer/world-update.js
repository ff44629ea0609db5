// Brings the shown world up to a newly parsed scene of the same shape without
// replacing it.
//
// A calculation rewrites the scene file after every edit, and mostly only
// coordinates, indices, colours or other field values change. Replacing the world
// for that costs several frames on a software renderer (shutdown, new bindable
// stacks, new geometry buffers); setting the changed fields on the shown nodes
// costs one. The shown world ends up as a reload would leave it: same nodes,
// same field values, same routes (the caller puts the view back on the scene's
// viewpoint). Scenes that differ in their node structure,
// routes, prototypes, scripts or inlined and textured files are left to a full
// replacement (match() answers null).
(function () {
  "use strict";

  const C = X3D.X3DConstants;

  // Nodes whose state is more than their fields, or which fetch files of their
  // own: a scene holding one is always replaced.
  const refusedTypes = [C.X3DPrototypeInstance, C.Script, C.Inline, C.X3DUrlObject];

  function refused(node) {
    const types = node.getType();
    return refusedTypes.some((type) => type !== undefined && types.includes(type));
  }

  // Fields a file sets: initializeOnly and inputOutput ones.
  function fromFile(field) {
    return field.isInitializable();
  }

  function nodesOf(field) {
    if (field.getType() === C.SFNode) return [field.getValue()];
    return field.getValue().map((sfnode) => sfnode.getValue());
  }

  function isNodeField(field) {
    const type = field.getType();
    return type === C.SFNode || type === C.MFNode;
  }

  // Fields driven by a route, as "node-id field" keys. A reload sets them from
  // the file and the route's source sends again at once (proximity sensors,
  // interpolators); here they keep what the route last sent, for the source need
  // not send again.
  function routedFields(scene) {
    const driven = new Set();
    for (const route of scene.getRoutes()) {
      const name = route.getDestinationField().replace(/^set_/, "");
      driven.add(route.getDestinationNode().getId() + " " + name);
    }
    return driven;
  }

  // Pairs shown nodes with parsed ones and lists the fields whose values differ.
  // Answers null when the two scenes differ in more than field values.
  function match(shown, parsed) {
    if (!shown || !parsed) return null;
    for (const scene of [shown, parsed]) {
      if (scene.getProtoDeclarations().length || scene.getExternProtoDeclarations().length)
        return null;
      if (scene.getImportedNodes().length) return null;
    }

    const pairs = new Map();   // parsed node -> shown node
    const claimed = new Set(); // shown nodes already paired
    const changes = [];        // [shown field, parsed field]
    const driven = routedFields(shown);

    function pair(a, b) {
      if (a === null || b === null) return a === b;
      if (pairs.has(b)) return pairs.get(b) === a;
      if (claimed.has(a)) return false;
      if (a.getTypeName() !== b.getTypeName() || a.getName() !== b.getName()) return false;
      if (refused(a) || refused(b)) return false;
      pairs.set(b, a);
      claimed.add(a);

      const fieldsA = a.getFields();
      const fieldsB = b.getFields();
      if (fieldsA.length !== fieldsB.length) return false;
      for (let i = 0; i < fieldsA.length; ++i) {
        const fa = fieldsA[i];
        const fb = fieldsB[i];
        if (fa.getName() !== fb.getName() || fa.getType() !== fb.getType()) return false;
        if (isNodeField(fa)) {
          const na = nodesOf(fa);
          const nb = nodesOf(fb);
          if (na.length !== nb.length) return false;
          for (let k = 0; k < na.length; ++k) if (!pair(na[k], nb[k])) return false;
          continue;
        }
        if (!fromFile(fa) || driven.has(a.getId() + " " + fa.getName())) continue;
        if (!fa.equals(fb)) changes.push([fa, fb]);
      }
      return true;
    }

    const rootsA = shown.getRootNodes().getValue().map((sfnode) => sfnode.getValue());
    const rootsB = parsed.getRootNodes().getValue().map((sfnode) => sfnode.getValue());
    if (rootsA.length !== rootsB.length) return null;
    for (let i = 0; i < rootsA.length; ++i) if (!pair(rootsA[i], rootsB[i])) return null;

    // The same routes between paired nodes.
    const key = (route, map) =>
      [
        map(route.getSourceNode()) ? map(route.getSourceNode()).getId() : "?",
        route.getSourceField(),
        map(route.getDestinationNode()) ? map(route.getDestinationNode()).getId() : "?",
        route.getDestinationField(),
      ].join(" ");
    const routesA = new Set();
    for (const route of shown.getRoutes()) routesA.add(key(route, (node) => node));
    let routeCount = 0;
    for (const route of parsed.getRoutes()) {
      ++routeCount;
      const k = key(route, (node) => pairs.get(node) || null);
      if (k.includes("?") || !routesA.has(k)) return null;
    }
    if (routeCount !== routesA.size) return null;

    return { changes };
  }

  // Sets the differing fields on the shown nodes; their nodes redraw as after any
  // field event.
  function apply(result) {
    for (const [shownField, parsedField] of result.changes) shownField.assign(parsedField);
  }

  window.habitopiaWorld = { match, apply };
})();
