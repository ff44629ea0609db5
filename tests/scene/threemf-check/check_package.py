"""Checks a 3MF file as an OPC package: a ZIP archive whose [Content_Types].xml
names the relationship and model content types, whose root relationships point to
a 3D model part inside the archive, and whose model part is well-formed XML valid
against the core model schema beside this script (lxml / libxml2).

    python3 check_package.py FILE.3mf
"""
import os
import sys
import zipfile

from lxml import etree

CONTENT_TYPES = "{http://schemas.openxmlformats.org/package/2006/content-types}"
RELATIONSHIPS = "{http://schemas.openxmlformats.org/package/2006/relationships}"
MODEL_RELATIONSHIP = "http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"
MODEL_TYPE = "application/vnd.ms-package.3dmanufacturing-3dmodel+xml"
RELS_TYPE = "application/vnd.openxmlformats-package.relationships+xml"


def fail(message):
    print("3MF package check failed:", message)
    sys.exit(1)


def main(path):
    with zipfile.ZipFile(path) as archive:
        bad = archive.testzip()
        if bad is not None:
            fail("corrupt entry " + bad)
        names = set(archive.namelist())
        for required in ("[Content_Types].xml", "_rels/.rels"):
            if required not in names:
                fail("missing " + required)
        types = etree.fromstring(archive.read("[Content_Types].xml"))
        defaults = {d.get("Extension").lower(): d.get("ContentType")
                    for d in types.iter(CONTENT_TYPES + "Default")}
        if defaults.get("rels") != RELS_TYPE or defaults.get("model") != MODEL_TYPE:
            fail("content types " + repr(defaults))
        rels = etree.fromstring(archive.read("_rels/.rels"))
        targets = [r.get("Target") for r in rels.iter(RELATIONSHIPS + "Relationship")
                   if r.get("Type") == MODEL_RELATIONSHIP]
        if len(targets) != 1:
            fail("expected one 3D model relationship, found %d" % len(targets))
        part = targets[0].lstrip("/")
        if part not in names:
            fail("the model relationship points to a missing part " + targets[0])
        schema_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "core-model.xsd")
        schema = etree.XMLSchema(etree.parse(schema_path))
        model = etree.fromstring(archive.read(part))
        if not schema.validate(model):
            fail("model part does not match the core schema: " + str(schema.error_log.last_error))
        print("%s: OPC package with model part %s valid against the core schema" % (path, part))


if __name__ == "__main__":
    main(sys.argv[1])
