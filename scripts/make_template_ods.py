#!/usr/bin/env python3
"""Writes resources/Template.ods, the spreadsheet the OpenDocument writer
starts from: the mimetype (first, stored), the manifest, styles with the
master page "Default" that the written table names, and an empty
content.xml, which the writer replaces. The bytes are the same on every run.

    scripts/make_template_ods.py [OUTPUT]
"""
import os
import sys
import zipfile

OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
STYLE = "urn:oasis:names:tc:opendocument:xmlns:style:1.0"
TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
MANIFEST = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"
MIME = "application/vnd.oasis.opendocument.spreadsheet"
DECL = '<?xml version="1.0" encoding="UTF-8"?>\n'

PARTS = [
    ("mimetype", MIME, zipfile.ZIP_STORED),
    ("META-INF/manifest.xml", DECL +
     f'<manifest:manifest xmlns:manifest="{MANIFEST}" manifest:version="1.2">\n'
     f' <manifest:file-entry manifest:full-path="/" manifest:version="1.2" manifest:media-type="{MIME}"/>\n'
     ' <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>\n'
     ' <manifest:file-entry manifest:full-path="styles.xml" manifest:media-type="text/xml"/>\n'
     '</manifest:manifest>\n', zipfile.ZIP_DEFLATED),
    ("styles.xml", DECL +
     f'<office:document-styles xmlns:office="{OFFICE}" xmlns:style="{STYLE}" office:version="1.2">\n'
     ' <office:styles>\n'
     '  <style:style style:name="Default" style:family="table-cell"/>\n'
     ' </office:styles>\n'
     ' <office:automatic-styles>\n'
     '  <style:page-layout style:name="pm1"/>\n'
     ' </office:automatic-styles>\n'
     ' <office:master-styles>\n'
     '  <style:master-page style:name="Default" style:page-layout-name="pm1"/>\n'
     ' </office:master-styles>\n'
     '</office:document-styles>\n', zipfile.ZIP_DEFLATED),
    ("content.xml", DECL +
     f'<office:document-content xmlns:office="{OFFICE}" xmlns:table="{TABLE}" office:version="1.2">\n'
     ' <office:body>\n'
     '  <office:spreadsheet>\n'
     '   <table:table table:name="Sheet1"/>\n'
     '  </office:spreadsheet>\n'
     ' </office:body>\n'
     '</office:document-content>\n', zipfile.ZIP_DEFLATED),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "Template.ods")
    with zipfile.ZipFile(out, "w") as z:
        for name, text, method in PARTS:
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            info.compress_type = method
            info.external_attr = 0o644 << 16
            info.create_system = 3
            z.writestr(info, text.encode("utf-8"), compresslevel=9 if method == zipfile.ZIP_DEFLATED else None)


if __name__ == "__main__":
    main()
