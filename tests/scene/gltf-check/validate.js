// Validates each .glb file named on the command line with the Khronos glTF
// validator. Prints a one-line summary per file and exits 1 when any file has
// errors (warnings and hints are printed but allowed).
'use strict';
const fs = require('fs');
const validator = require('gltf-validator');

async function main(files) {
  let failed = false;
  for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
      maxIssues: 100,
    });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints; ` +
                `${report.info ? report.info.totalVertexCount : '?'} vertices, ` +
                `${report.info ? report.info.totalTriangleCount : '?'} triangles`);
    for (const message of issues.messages)
      if (message.severity <= 1) console.log(`  ${message.code}: ${message.message} (${message.pointer || ''})`);
    if (issues.numErrors > 0) failed = true;
  }
  process.exit(failed ? 1 : 0);
}

main(process.argv.slice(2)).catch((error) => {
  console.error(error);
  process.exit(2);
});
