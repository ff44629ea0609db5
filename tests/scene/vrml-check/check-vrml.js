#!/usr/bin/env node
// Parses VRML 2.0 scene files with X_ITE's VRML parser and fails on any error
// or warning the parser reports (unknown nodes or fields, undefined USE names,
// bad ROUTEs, syntax errors).
//
// usage: node check-vrml.js FILE_OR_FOLDER...   (folders: every *.wrl inside)
"use strict";

const fs = require("fs");
const path = require("path");
const { JSDOM } = require("jsdom");

// X_ITE is a browser: give it a document and a WebGL context that draws nothing.
const dom = new JSDOM("<!DOCTYPE html><html><body></body></html>", {
  pretendToBeVisual: true,
  url: "http://localhost/",
});
for (const key of Object.getOwnPropertyNames(dom.window)) {
  if (globalThis[key] === undefined) {
    try { globalThis[key] = dom.window[key]; } catch (_) { /* read-only */ }
  }
}
globalThis.self = dom.window;
globalThis.require = require;
globalThis.__filename = __filename;
globalThis.Float16Array ??= Float32Array;
globalThis.ResizeObserver = class { observe() {} unobserve() {} disconnect() {} };
globalThis.FontFace = class { load() { return Promise.resolve(this); } };
Object.defineProperty(dom.window.document, "fonts", {
  value: { add() {}, check() { return true; }, ready: Promise.resolve() },
});

function inert(name) {
  const target = function () {};
  return new Proxy(target, {
    get(_, prop) {
      if (prop === "then") return undefined;
      if (prop === Symbol.toPrimitive) return () => 1;
      if (typeof prop === "string" && /^[A-Z0-9_]+$/.test(prop)) return 1;
      return inert(name + "." + String(prop));
    },
    apply() { return inert(name + "()"); },
  });
}
function nullWebGL(canvas) {
  const answers = {
    canvas,
    drawingBufferWidth: 300,
    drawingBufferHeight: 150,
    getParameter: () => 4096,
    getShaderParameter: () => true,
    getProgramParameter: () => true,
    checkFramebufferStatus: () => 1,  // every constant reads 1, FRAMEBUFFER_COMPLETE too
    getExtension: () => inert("extension"),
    getSupportedExtensions: () => [],
    getContextAttributes: () => ({}),
    getShaderPrecisionFormat: () => ({ precision: 23, rangeMin: 127, rangeMax: 127 }),
    isContextLost: () => false,
  };
  return new Proxy({}, {
    get(_, prop) {
      if (prop in answers) return answers[prop];
      if (prop === "then") return undefined;
      if (typeof prop === "string" && /^[A-Z0-9_]+$/.test(prop)) return 1;
      return () => inert(String(prop));
    },
  });
}
dom.window.HTMLCanvasElement.prototype.getContext = function (type) {
  return /webgl/.test(type) ? nullWebGL(this) : null;
};

// Messages printed while the browser starts are not about any scene.
const quiet = { log: console.log, warn: console.warn, error: console.error, info: console.info };
let reported = [];
// Inline scenes are fetched after parsing; failing to load them (the files need
// not exist here) is no parse error.
function note(message) {
  if (/Couldn't load URL|fetch failed/.test(message)) return;
  reported.push(message);
}
function capture(on) {
  for (const level of ["log", "warn", "error", "info"])
    console[level] = on ? (...args) => note(args.map(String).join(" ")) : quiet[level];
}

capture(true);
const X3D = require("x_ite");
const browser = X3D.createBrowser().browser;
reported = [];

function parse(text, url) {
  return new Promise((resolve, reject) => {
    const scene = new X3D.X3DScene(browser);
    scene.setWorldURL(url);
    scene.setup();
    const parser = new X3D.VRMLParser(scene);
    parser.setInput(text);
    if (!parser.isValid()) return reject(new Error("not a VRML file (header)"));
    parser.pushExecutionContext(scene);
    parser.parseIntoScene(resolve, reject);
  });
}

function scenesIn(args) {
  const files = [];
  for (const arg of args) {
    if (fs.statSync(arg).isDirectory()) {
      for (const name of fs.readdirSync(arg).sort())
        if (name.endsWith(".wrl")) files.push(path.join(arg, name));
    } else {
      files.push(arg);
    }
  }
  return files;
}

(async () => {
  const files = scenesIn(process.argv.slice(2));
  let failures = 0;
  for (const file of files) {
    const text = fs.readFileSync(file, "utf8");
    reported = [];
    let error = null;
    try {
      const scene = await parse(text, "file://" + path.resolve(file));
      if (scene.rootNodes.length === 0) error = "no nodes";
    } catch (e) {
      error = String(e && e.message || e);
    }
    if (!error && reported.length) error = reported.join("\n");
    capture(false);
    if (error) {
      ++failures;
      console.log(`FAIL ${file}\n${error}`);
    } else {
      console.log(`ok   ${file}`);
    }
    capture(true);
  }
  capture(false);
  if (files.length === 0) {
    console.log("no scenes given");
    process.exit(2);
  }
  console.log(`${files.length - failures} of ${files.length} scenes parsed without error`);
  process.exit(failures ? 1 : 0);
})();
