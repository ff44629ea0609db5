# cmake -DSOURCE=<x_ite dist folder> -DDEST=<build folder> -P CopyWebViewer.cmake
# Copies the parts of X_ITE a web page export carries: the minified browser and
# its style sheet, the scripting and text components, the WOFF2 decoder, the tangent library, the fonts and the licences.
file(REMOVE_RECURSE "${DEST}")
file(MAKE_DIRECTORY "${DEST}/assets/components" "${DEST}/assets/lib")
file(COPY "${SOURCE}/x_ite.min.js" "${SOURCE}/x_ite.css" "${SOURCE}/LICENSE.md" DESTINATION "${DEST}")
file(COPY "${SOURCE}/assets/components/TextComponent.min.js"
          "${SOURCE}/assets/components/ScriptingComponent.min.js" DESTINATION "${DEST}/assets/components")
file(COPY "${SOURCE}/assets/lib/woff2_decoder.js" "${SOURCE}/assets/lib/mikktspace_bg.wasm" DESTINATION "${DEST}/assets/lib")
file(COPY "${SOURCE}/assets/fonts" DESTINATION "${DEST}/assets")
