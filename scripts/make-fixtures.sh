#!/usr/bin/env bash
# Regenerates the fixture workbooks in tests/fixtures/workbooks. The results are committed; the
# build and the tests never run this script and never need LibreOffice.
#
# 1. zahlen_quoten_a.fods and zahlen_quoten_b.fods are the hand-written sources (flat ODS) of the
#    two workbook layouts. LibreOffice converts each into xlsx, ods and xls:
#      apt-get install -y libreoffice-calc-nogui   (only on the machine that makes the fixtures)
# 2. Python's zipfile writes the hand-made xlsx workbooks (absolute relationship targets as
#    openpyxl writes them, inline strings, custom date formats, the 1904 date system, a chart
#    sheet in the sheet order) and the damaged and hostile workbooks of the robustness tests.
# 3. kaputt_freexl.xls is not made here: it is a copy of zahlen_quoten_b.xls damaged by random
#    byte mutations, on which libfreexl reads uninitialised memory and past a stack buffer. It is
#    kept as it was found.
#
# Usage: scripts/make-fixtures.sh   (from anywhere; writes into tests/fixtures/workbooks)
set -euo pipefail

cd "$(dirname "$0")/../tests/fixtures/workbooks"
profil=$(mktemp -d)
trap 'rm -rf "$profil"' EXIT

for format in xlsx ods xls; do
    soffice --headless "-env:UserInstallation=file://$profil" --convert-to "$format" --outdir . \
        zahlen_quoten_a.fods zahlen_quoten_b.fods
done

python3 - <<'PY'
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

CONTENT_TYPES = DECL + (
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
    '</Types>')

ROOT_RELS = DECL + (
    f'<Relationships xmlns="{PKG}">'
    f'<Relationship Id="rId1" Type="{REL}/officeDocument" Target="/xl/workbook.xml"/>'
    '</Relationships>')

STYLES = DECL + (
    f'<styleSheet xmlns="{MAIN}">'
    '<numFmts count="3">'
    '<numFmt numFmtId="164" formatCode="DD\\.MM\\.YYYY"/>'
    '<numFmt numFmtId="165" formatCode="0.00"/>'
    '<numFmt numFmtId="166" formatCode="#,##0.00\\ &quot;Tage&quot;"/>'
    '</numFmts>'
    '<cellXfs count="6">'
    '<xf numFmtId="0"/>'                      # 0 General
    '<xf numFmtId="164" applyNumberFormat="1"/>'  # 1 custom date
    '<xf numFmtId="165" applyNumberFormat="1"/>'  # 2 0.00
    '<xf numFmtId="14" applyNumberFormat="1"/>'   # 3 built-in date
    '<xf numFmtId="166" applyNumberFormat="1"/>'  # 4 quoted text holding d and y
    '<xf numFmtId="22" applyNumberFormat="1"/>'   # 5 built-in date and time
    '</cellXfs></styleSheet>')


def workbook(sheets, date1904=False):
    pr = '<workbookPr date1904="1"/>' if date1904 else '<workbookPr/>'
    items = "".join(f'<sheet name="{n}" sheetId="{i + 1}" r:id="{rid}"/>' for i, (n, rid) in enumerate(sheets))
    return DECL + f'<workbook xmlns="{MAIN}" xmlns:r="{REL}">{pr}<sheets>{items}</sheets></workbook>'


def rels(entries):
    items = "".join(f'<Relationship Id="{i}" Type="{REL}/{t}" Target="{z}"/>' for i, t, z in entries)
    return DECL + f'<Relationships xmlns="{PKG}">{items}</Relationships>'


def sheet(rows):
    return DECL + f'<worksheet xmlns="{MAIN}" xmlns:r="{REL}"><sheetData>{rows}</sheetData></worksheet>'


def write(name, parts, compress=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(name, "w", compress) as z:
        for part, text in parts.items():
            info = zipfile.ZipInfo(part, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = compress
            z.writestr(info, text)


SHARED = DECL + (
    f'<sst xmlns="{MAIN}" count="3" uniqueCount="3">'
    '<si><t>Text</t></si>'
    '<si><r><t xml:space="preserve">Quote </t></r><r><rPr><b/></rPr><t>fett</t></r>'
    '<rPh sb="0" eb="1"><t>ignoriert</t></rPh></si>'
    '<si><t xml:space="preserve">Zeile_x000D_zwei </t></si>'
    '</sst>')

SHEET1 = sheet(
    '<row r="1">'
    '<c r="A1" t="inlineStr"><is><t>Inline</t></is></c>'
    '<c r="B1" t="inlineStr"><is><r><t>Fe</t></r><r><rPr><i/></rPr><t>tt</t></r></is></c>'
    '</row>'
    '<row r="2">'
    '<c r="A2" s="1"><v>44198</v></c>'
    '<c r="B2" s="3"><v>44198.75</v></c>'
    '<c r="C2" s="1"><v>1</v></c>'
    '<c r="D2" s="1"><v>60</v></c>'
    '<c r="E2" s="1"><v>61</v></c>'
    '<c r="F2" s="2"><v>1234.5</v></c>'
    '<c r="G2" s="4"><v>1234.5</v></c>'
    '<c r="H2" s="5"><v>44202.5</v></c>'
    '</row>'
    '<row r="3">'
    '<c r="A3" t="str"><f>"For"&amp;"mel"</f><v>Formel</v></c>'
    '<c r="B3" t="b"><v>1</v></c>'
    '<c r="C3" t="e"><f>1/0</f><v>#DIV/0!</v></c>'
    '<c r="D3" t="s"><v>0</v></c>'
    '<c r="E3" t="s"><v>1</v></c>'
    '<c r="F3" t="s"><v>2</v></c>'
    '<c r="G3"><f>0.1+0.2</f><v>0.30000000000000004</v></c>'
    '<c r="H3"><v>-7.5</v></c>'
    '<c r="I3" s="1"/>'
    '</row>'
    '<row r="4"><c t="inlineStr"><is><t>ohne Bezug</t></is></c><c><v>42</v></c></row>')

# The second worksheet uses a prefix for the main namespace, as some writers do.
SHEET2 = DECL + (
    f'<x:worksheet xmlns:x="{MAIN}"><x:sheetData>'
    '<x:row r="1"><x:c r="A1"><x:v>7</x:v></x:c><x:c r="B1" t="inlineStr"><x:is><x:t>zweites</x:t></x:is></x:c></x:row>'
    '</x:sheetData></x:worksheet>')

CHART = DECL + f'<chartsheet xmlns="{MAIN}" xmlns:r="{REL}"><sheetViews><sheetView workbookViewId="0"/></sheetViews></chartsheet>'


def handmade(date1904=False):
    parts = {
        "[Content_Types].xml": CONTENT_TYPES,
        "_rels/.rels": ROOT_RELS,
        "xl/workbook.xml": workbook([("Daten", "rId1"), ("Diagramm", "rId2"), ("Zweites", "rId3")], date1904),
        "xl/_rels/workbook.xml.rels": rels([
            ("rId1", "worksheet", "/xl/worksheets/sheet1.xml"),
            ("rId2", "chartsheet", "/xl/chartsheets/sheet1.xml"),
            ("rId3", "worksheet", "/xl/worksheets/sheet2.xml"),
            ("rId4", "styles", "/xl/styles.xml"),
            ("rId5", "sharedStrings", "/xl/sharedStrings.xml"),
        ]),
        "xl/styles.xml": STYLES,
        "xl/sharedStrings.xml": SHARED,
        "xl/worksheets/sheet1.xml": SHEET1,
        "xl/worksheets/sheet2.xml": SHEET2,
        "xl/chartsheets/sheet1.xml": CHART,
    }
    return parts


write("handgemacht.xlsx", handmade())

# 1904 date system: 42736 is 2.1.2021.
parts = handmade(date1904=True)
parts["xl/worksheets/sheet1.xml"] = sheet('<row r="1"><c r="A1" s="1"><v>42736</v></c></row>')
write("handgemacht_1904.xlsx", parts)


def single(sheet_xml, shared=None):
    parts = handmade()
    parts["xl/worksheets/sheet1.xml"] = sheet_xml
    if shared is not None:
        parts["xl/sharedStrings.xml"] = shared
    return parts


# Damaged and hostile workbooks: each must end in an error message, never in a crash or in an
# allocation without bound.
write("kaputt_xml.xlsx", single(DECL + f'<worksheet xmlns="{MAIN}"><sheetData><row r="1"><c r="A1"><v>1</v></row>'))
write("kaputt_verweis.xlsx", single(sheet('<row r="1"><c r="A1" t="s"><v>99</v></c></row>')))
parts = handmade()
del parts["xl/worksheets/sheet1.xml"]
write("kaputt_teil_fehlt.xlsx", parts)
# 80 MiB of blanks inside the sheet: about 80 KB packed.
write("bombe_gross.xlsx", single(sheet('<row r="1"><c r="A1"><v>1</v></c></row>') + " " * (80 << 20)))
# Three million tiny elements in a part well under the size limit.
write("bombe_elemente.xlsx", single(sheet('<row r="1"><c r="A1"><v>1</v></c></row>' + "<a/>" * 3_000_000)))

# An ods whose one row with values repeats over the whole sheet: 16384 columns times 1048576 rows.
ODS_CONTENT = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.3">'
    '<office:body><office:spreadsheet><table:table table:name="T">'
    '<table:table-row table:number-rows-repeated="1048576">'
    '<table:table-cell table:number-columns-repeated="16384" office:value-type="float" office:value="1"/>'
    '</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>')
with zipfile.ZipFile("bombe_wiederholung.ods", "w") as z:
    z.writestr(zipfile.ZipInfo("mimetype", date_time=(2024, 1, 1, 0, 0, 0)), "application/vnd.oasis.opendocument.spreadsheet")
    info = zipfile.ZipInfo("content.xml", date_time=(2024, 1, 1, 0, 0, 0))
    info.compress_type = zipfile.ZIP_DEFLATED
    z.writestr(info, ODS_CONTENT)
PY
