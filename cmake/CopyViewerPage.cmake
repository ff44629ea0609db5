# cmake -DSOURCE=<viewer folder> -DDEST=<build folder> -P CopyViewerPage.cmake
# Copies the viewer page and the parts of the installed x_ite package it loads
# (the minified browser, its minified components, fonts, images and libraries).
set(dist "${SOURCE}/node_modules/x_ite/dist")
if(NOT EXISTS "${dist}/x_ite.min.js")
  message(FATAL_ERROR "x_ite is not installed in ${SOURCE}/node_modules: run tools/ensure-viewer")
endif()
file(REMOVE_RECURSE "${DEST}")
file(MAKE_DIRECTORY "${DEST}")
file(GLOB page "${SOURCE}/*.html" "${SOURCE}/*.js")
file(COPY ${page} DESTINATION "${DEST}")
file(COPY "${dist}/x_ite.min.js" "${dist}/x_ite.css" "${dist}/LICENSE.md" DESTINATION "${DEST}")
file(COPY "${dist}/assets" DESTINATION "${DEST}"
  REGEX "/components/[^/]*Component\\.js$" EXCLUDE
  REGEX "/lib/README\\.md$" EXCLUDE)
