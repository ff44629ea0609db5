// fetch() for the viewer's own URL scheme.
//
// The Chromium inside Qt WebEngine 6.4 refuses fetch() for custom URL schemes,
// while XMLHttpRequest reaches them. X_ITE reads every scene, inline and texture
// with fetch(), so requests for our scheme go through XMLHttpRequest here and
// come back as a real Response. Other URLs (data: and blob:) keep the native fetch.
(function () {
  "use strict";

  const nativeFetch = window.fetch.bind(window);
  const ownScheme = "habitopia:";

  function requestUrl(input) {
    if (typeof input === "string") return input;
    if (input instanceof URL) return input.href;
    if (input && typeof input.url === "string") return input.url;
    return String(input);
  }

  function parseHeaders(text) {
    const headers = new Headers();
    for (const line of text.trim().split(/[\r\n]+/)) {
      const colon = line.indexOf(":");
      if (colon > 0) {
        try {
          headers.append(line.slice(0, colon).trim(), line.slice(colon + 1).trim());
        } catch (e) {
          // A header name the Headers class refuses is of no use to X_ITE.
        }
      }
    }
    return headers;
  }

  window.fetch = function (input, init) {
    const href = new URL(requestUrl(input), document.baseURI).href;
    if (!href.startsWith(ownScheme)) return nativeFetch(input, init);

    return new Promise((resolve, reject) => {
      const signal = init && init.signal;
      if (signal && signal.aborted) {
        reject(new DOMException("The request was aborted.", "AbortError"));
        return;
      }
      const xhr = new XMLHttpRequest();
      xhr.open((init && init.method) || "GET", href, true);
      xhr.responseType = "arraybuffer";
      const onAbort = () => {
        xhr.abort();
        reject(new DOMException("The request was aborted.", "AbortError"));
      };
      if (signal) signal.addEventListener("abort", onAbort, { once: true });
      xhr.onload = () => {
        if (signal) signal.removeEventListener("abort", onAbort);
        // A custom scheme reports status 0 for a delivered reply.
        const status = xhr.status || 200;
        resolve(new Response(xhr.response, {
          status: status,
          statusText: xhr.statusText || (status === 200 ? "OK" : String(status)),
          headers: parseHeaders(xhr.getAllResponseHeaders()),
        }));
      };
      xhr.onerror = () => {
        if (signal) signal.removeEventListener("abort", onAbort);
        reject(new TypeError("Failed to fetch " + decodeURI(href)));
      };
      xhr.send();
    });
  };
})();
