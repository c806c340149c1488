#include "ScriviXlsx.h"

#include <zip.h>

namespace {

const char* const kStiliPredefiniti =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="4">
<numFmt numFmtId="164" formatCode="dd/mm/yyyy;@"/>
<numFmt numFmtId="165" formatCode="[$-410]d\ mmmm\ yyyy"/>
<numFmt numFmtId="166" formatCode="0.00&quot; dd&quot;"/>
<numFmt numFmtId="167" formatCode="[h]:mm"/>
</numFmts>
<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>
<fills count="1"><fill><patternFill patternType="none"/></fill></fills>
<borders count="1"><border/></borders>
<cellStyleXfs count="2"><xf numFmtId="0"/><xf numFmtId="14"/></cellStyleXfs>
<cellXfs count="8">
<xf numFmtId="0" fontId="0"/>
<xf numFmtId="14" fontId="0" applyNumberFormat="1"/>
<xf numFmtId="164" fontId="0" applyNumberFormat="1"/>
<xf numFmtId="165" fontId="0" applyNumberFormat="1"><alignment horizontal="left"/></xf>
<xf numFmtId="166" fontId="0" applyNumberFormat="1"/>
<xf numFmtId="22" fontId="0" applyNumberFormat="1"/>
<xf numFmtId="4" fontId="0" applyNumberFormat="1"/>
<xf numFmtId="167" fontId="0" applyNumberFormat="1"/>
</cellXfs>
</styleSheet>)";

QByteArray escape(const QString& testo)
{
    return testo.toHtmlEscaped().toUtf8();
}

} // namespace

ScriviXlsx::ScriviXlsx(const QString& percorso, Opzioni opzioni)
{
    m_zip = zipOpen64(percorso.toLocal8Bit().constData(), APPEND_STATUS_CREATE);
    if (!m_zip)
        return;

    QByteArray fogli;
    QByteArray relazioni;
    if (opzioni.graficoPrima) {
        fogli += R"(<sheet name="Grafico" sheetId="3" r:id="rId9"/>)";
        relazioni +=
            R"(<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartsheet" Target="chartsheets/sheet1.xml"/>)";
    }
    // The first worksheet lives in sheet2.xml and the second in sheet1.xml,
    // so a reader that goes by file name instead of tab order fails.
    fogli +=
        R"(<sheet name="Operazioni" sheetId="1" r:id="rId5"/><sheet name="Altro" sheetId="2" r:id="rId4"/>)";
    relazioni +=
        R"(<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
        R"(<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet2.xml"/>)"
        R"(<Relationship Id="rId6" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        R"(<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)";

    QByteArray testi =
        R"(<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
    for (const QString& t : opzioni.testiCondivisi)
        testi += t.startsWith(QLatin1String("<si>"))
                     ? t.toUtf8()
                     : "<si><t xml:space=\"preserve\">" + escape(t) + "</t></si>";
    testi += "</sst>";

    m_ok =
        parte(
            "[Content_Types].xml",
            R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>)"
            // The content types of the parts, which LibreOffice needs to
            // take the package for a workbook.
            R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
            R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
            R"(<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
            R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
            R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>)") &&
        parte(
            "_rels/.rels",
            R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)") &&
        parte(
            "xl/workbook.xml",
            QByteArray(
                R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)") +
                (opzioni.sistema1904 ? R"(<workbookPr date1904="1"/>)" : "<workbookPr/>") +
                "<sheets>" + fogli + "</sheets></workbook>") &&
        parte(
            "xl/_rels/workbook.xml.rels",
            R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
                relazioni + "</Relationships>") &&
        parte("xl/styles.xml",
              opzioni.stili.isEmpty() ? QByteArray(kStiliPredefiniti) : opzioni.stili) &&
        parte("xl/sharedStrings.xml", testi) &&
        parte(
            "xl/worksheets/sheet1.xml",
            R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
                opzioni.altroFoglio + "</sheetData></worksheet>");
    if (m_ok && opzioni.graficoPrima)
        m_ok = parte("xl/chartsheets/sheet1.xml", R"(<?xml version="1.0"?><chartsheet/>)");
    if (m_ok) {
        zip_fileinfo info{};
        m_ok =
            zipOpenNewFileInZip64(m_zip, "xl/worksheets/sheet2.xml", &info, nullptr, 0, nullptr, 0,
                                  nullptr, Z_DEFLATED, 1, 1) == ZIP_OK &&
            scriviRighe(
                R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref="A1"/><sheetData>)");
    }
}

ScriviXlsx::~ScriviXlsx()
{
    if (m_zip)
        zipClose(m_zip, nullptr);
}

bool ScriviXlsx::parte(const char* nome, const QByteArray& contenuto)
{
    zip_fileinfo info{};
    return zipOpenNewFileInZip64(m_zip, nome, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 6,
                                 0) == ZIP_OK &&
           zipWriteInFileInZip(m_zip, contenuto.constData(),
                               static_cast<unsigned>(contenuto.size())) == ZIP_OK &&
           zipCloseFileInZip(m_zip) == ZIP_OK;
}

bool ScriviXlsx::scriviRighe(const QByteArray& xml)
{
    m_ok = m_ok &&
           zipWriteInFileInZip(m_zip, xml.constData(), static_cast<unsigned>(xml.size())) == ZIP_OK;
    return m_ok;
}

bool ScriviXlsx::chiudi()
{
    if (!m_zip)
        return false;
    m_ok = scriviRighe("</sheetData></worksheet>") && zipCloseFileInZip(m_zip) == ZIP_OK;
    m_ok = zipClose(m_zip, nullptr) == ZIP_OK && m_ok;
    m_zip = nullptr;
    return m_ok;
}

bool ScriviXlsx::crea(const QString& percorso, const QByteArray& righe, Opzioni opzioni)
{
    ScriviXlsx scrittore(percorso, std::move(opzioni));
    return scrittore.scriviRighe(righe) && scrittore.chiudi();
}

QByteArray ScriviXlsx::cella(const QByteArray& riferimento, const QByteArray& tipo,
                             const QByteArray& valore, int stile)
{
    QByteArray xml = "<c";
    if (!riferimento.isEmpty())
        xml += " r=\"" + riferimento + '"';
    if (!tipo.isEmpty())
        xml += " t=\"" + tipo + '"';
    if (stile >= 0)
        xml += " s=\"" + QByteArray::number(stile) + '"';
    return xml + "><v>" + valore + "</v></c>";
}

QByteArray ScriviXlsx::testo(const QByteArray& riferimento, const QString& valore)
{
    return "<c r=\"" + riferimento + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" +
           escape(valore) + "</t></is></c>";
}

QByteArray ScriviXlsx::riga(int numero, const QByteArray& celle)
{
    return "<row r=\"" + QByteArray::number(numero) + "\">" + celle + "</row>";
}
