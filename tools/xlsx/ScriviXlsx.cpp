#include "xlsx/ScriviXlsx.h"

#include <QSaveFile>
#include <zip.h>

namespace {

const char* const kDichiarazione = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                                   "\n";

// The styles of a worksheet with columns, by index into cellXfs.
namespace StileColonna {
enum : int
{
    Generale = 0,
    Titolo = 1,
    Testo = 2,
    Data = 3,
    Importo = 4
};
} // namespace StileColonna

const char* const kStiliColonne =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="dd/mm/yyyy"/></numFmts>)"
    R"(<fonts count="2"><font><sz val="11"/><name val="Calibri"/><family val="2"/></font>)"
    R"(<font><b/><sz val="11"/><name val="Calibri"/><family val="2"/></font></fonts>)"
    R"(<fills count="3"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill>)"
    R"(<fill><patternFill patternType="solid"><fgColor rgb="FFFFF2CC"/><bgColor indexed="64"/></patternFill></fill></fills>)"
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
    R"(<cellXfs count="5">)"
    R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
    R"(<xf numFmtId="49" fontId="1" fillId="2" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1" applyFill="1"/>)"
    R"(<xf numFmtId="49" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
    R"(<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
    R"(<xf numFmtId="4" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
    R"(</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";

// ScriviXlsx::Stile.
const char* const kStiliFormati =
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

int stileDi(ColonnaXlsx::Tipo tipo)
{
    switch (tipo) {
    case ColonnaXlsx::Tipo::Data:
        return StileColonna::Data;
    case ColonnaXlsx::Tipo::Importo:
        return StileColonna::Importo;
    case ColonnaXlsx::Tipo::Testo:
        break;
    }
    return StileColonna::Testo;
}

QByteArray relazione(const char* id, const QByteArray& tipo, const QByteArray& destinazione)
{
    return "<Relationship Id=\"" + QByteArray(id) + "\" Type=\"" + tipo + "\" Target=\"" +
           destinazione + "\"/>";
}

QByteArray tipoContenuto(const char* parte, const char* tipo)
{
    return "<Override PartName=\"" + QByteArray(parte) +
           "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml." + tipo +
           "+xml\"/>";
}

// The parts of the package around the worksheet, each whole.
const char* const kRelazioniPacchetto =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

const char* const kTipoRelazione =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray tipiContenuto(const OpzioniXlsx& opzioni)
{
    QByteArray xml =
        kDichiarazione +
        QByteArray(
            R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
            R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
            R"(<Default Extension="xml" ContentType="application/xml"/>)");
    xml += tipoContenuto("/xl/workbook.xml", "sheet.main") +
           tipoContenuto("/xl/worksheets/sheet1.xml", "worksheet");
    if (!opzioni.altroFoglio.isNull())
        xml += tipoContenuto("/xl/worksheets/sheet2.xml", "worksheet");
    xml += tipoContenuto("/xl/styles.xml", "styles");
    if (!opzioni.testiCondivisi.isEmpty())
        xml += tipoContenuto("/xl/sharedStrings.xml", "sharedStrings");
    return xml + "</Types>";
}

QByteArray cartellaDiLavoro(const OpzioniXlsx& opzioni)
{
    QByteArray xml =
        kDichiarazione +
        QByteArray(
            R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
            R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)");
    if (opzioni.sistema1904)
        xml += R"(<workbookPr date1904="1"/>)";
    xml += "<bookViews><workbookView/></bookViews><sheets>";
    if (opzioni.graficoPrima)
        xml += R"(<sheet name="Grafico" sheetId="3" r:id="rId5"/>)";
    xml += "<sheet name=\"" + escape(opzioni.nomeFoglio) + R"(" sheetId="1" r:id="rId1"/>)";
    if (!opzioni.altroFoglio.isNull())
        xml += R"(<sheet name="Altro" sheetId="2" r:id="rId4"/>)";
    return xml + "</sheets></workbook>";
}

// The worksheet is rId1 and the styles rId2, whatever else the package holds.
QByteArray relazioniCartella(const OpzioniXlsx& opzioni)
{
    const QByteArray tipo = kTipoRelazione;
    const bool altro = !opzioni.altroFoglio.isNull();
    QByteArray xml =
        kDichiarazione +
        QByteArray(
            R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)");
    xml += relazione("rId1", tipo + "worksheet",
                     altro ? "/xl/worksheets/sheet2.xml" : "worksheets/sheet1.xml") +
           relazione("rId2", tipo + "styles", "styles.xml");
    if (!opzioni.testiCondivisi.isEmpty())
        xml += relazione("rId3", tipo + "sharedStrings", "sharedStrings.xml");
    if (altro)
        xml += relazione("rId4", tipo + "worksheet", "worksheets/sheet1.xml");
    if (opzioni.graficoPrima)
        xml += relazione("rId5", tipo + "chartsheet", "chartsheets/sheet1.xml");
    return xml + "</Relationships>";
}

QByteArray testiCondivisi(const QStringList& testi)
{
    QByteArray xml =
        kDichiarazione +
        QByteArray(R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)");
    for (const QString& t : testi)
        xml += t.startsWith(QLatin1String("<si>"))
                   ? t.toUtf8()
                   : "<si><t xml:space=\"preserve\">" + escape(t) + "</t></si>";
    return xml + "</sst>";
}

QByteArray altroFoglio(const QByteArray& righe)
{
    return kDichiarazione +
           QByteArray(
               R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)") +
           righe + "</sheetData></worksheet>";
}

// The start of the streamed worksheet, up to its first row.
QByteArray inizioFoglio(const OpzioniXlsx& opzioni)
{
    QByteArray xml =
        kDichiarazione +
        QByteArray(
            R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)");
    if (!opzioni.dimensione.isEmpty())
        xml += "<dimension ref=\"" + opzioni.dimensione + "\"/>";
    xml += "<sheetViews><sheetView workbookViewId=\"0\">";
    if (opzioni.righeBloccate > 0) {
        const QByteArray prima = "A" + QByteArray::number(opzioni.righeBloccate + 1);
        xml += "<pane ySplit=\"" + QByteArray::number(opzioni.righeBloccate) + "\" topLeftCell=\"" +
               prima +
               "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" "
               "activeCell=\"" +
               prima + "\" sqref=\"" + prima + "\"/>";
    }
    xml += "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!opzioni.colonne.isEmpty()) {
        xml += "<cols>";
        for (int c = 0; c < opzioni.colonne.size(); ++c) {
            const QByteArray n = QByteArray::number(c + 1);
            // The column's own style formats the cells a user types in later rows.
            xml += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"" +
                   QByteArray::number(opzioni.colonne[c].larghezza, 'f', 2) + "\" style=\"" +
                   QByteArray::number(stileDi(opzioni.colonne[c].tipo)) + "\" customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }
    return xml + "<sheetData>";
}

// minizip's file access routed through a QSaveFile, already open.
zlib_filefunc64_def accessoFile(QSaveFile* file)
{
    zlib_filefunc64_def funzioni{};
    funzioni.zopen64_file = [](voidpf opaco, const void*, int) -> voidpf { return opaco; };
    funzioni.zread_file = [](voidpf, voidpf, void*, uLong) -> uLong { return 0; };
    funzioni.zwrite_file = [](voidpf, voidpf flusso, const void* dati, uLong n) -> uLong {
        const qint64 scritti =
            static_cast<QSaveFile*>(flusso)->write(static_cast<const char*>(dati), qint64(n));
        return scritti < 0 ? 0 : static_cast<uLong>(scritti);
    };
    funzioni.ztell64_file = [](voidpf, voidpf flusso) -> ZPOS64_T {
        return static_cast<ZPOS64_T>(static_cast<QSaveFile*>(flusso)->pos());
    };
    funzioni.zseek64_file = [](voidpf, voidpf flusso, ZPOS64_T distanza, int origine) -> long {
        auto* dispositivo = static_cast<QSaveFile*>(flusso);
        qint64 base = 0;
        if (origine == ZLIB_FILEFUNC_SEEK_CUR)
            base = dispositivo->pos();
        else if (origine == ZLIB_FILEFUNC_SEEK_END)
            base = dispositivo->size();
        return dispositivo->seek(base + qint64(distanza)) ? 0 : -1;
    };
    funzioni.zclose_file = [](voidpf, voidpf) -> int { return 0; };
    funzioni.zerror_file = [](voidpf, voidpf) -> int { return 0; };
    funzioni.opaque = file;
    return funzioni;
}

} // namespace

// The zip package being written, in a file that replaces the old one only
// when the package is whole.
struct ScriviXlsx::Pacchetto
{
    explicit Pacchetto(const QString& percorso) : file(percorso)
    {
        if (!file.open(QIODevice::WriteOnly))
            return;
        zlib_filefunc64_def funzioni = accessoFile(&file);
        zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &funzioni);
    }

    ~Pacchetto()
    {
        if (zip)
            zipClose(zip, nullptr);
    }

    bool apriParte(const char* nome, int livello, bool zip64)
    {
        // A fixed date keeps the package identical from run to run.
        zip_fileinfo info{};
        info.tmz_date.tm_year = 2026;
        info.tmz_date.tm_mon = 0;
        info.tmz_date.tm_mday = 1;
        return zipOpenNewFileInZip64(zip, nome, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                     livello, zip64 ? 1 : 0) == ZIP_OK;
    }

    bool scrivi(const QByteArray& dati)
    {
        return zipWriteInFileInZip(zip, dati.constData(), static_cast<unsigned>(dati.size())) ==
               ZIP_OK;
    }

    bool parte(const char* nome, const QByteArray& contenuto)
    {
        return apriParte(nome, 6, false) && scrivi(contenuto) && zipCloseFileInZip(zip) == ZIP_OK;
    }

    QSaveFile file;
    zipFile zip = nullptr;
};

ScriviXlsx::ScriviXlsx(const QString& percorso, Opzioni opzioni)
    : m_pacchetto(std::make_unique<Pacchetto>(percorso))
{
    Pacchetto& p = *m_pacchetto;
    if (!p.zip)
        return;
    const bool altro = !opzioni.altroFoglio.isNull();
    QByteArray stili = opzioni.stili;
    if (stili.isEmpty())
        stili = opzioni.colonne.isEmpty() ? kStiliFormati : kStiliColonne;
    // The worksheet comes last: it stays open for its rows.
    m_ok = p.parte("[Content_Types].xml", tipiContenuto(opzioni)) &&
           p.parte("_rels/.rels", kRelazioniPacchetto) &&
           p.parte("xl/workbook.xml", cartellaDiLavoro(opzioni)) &&
           p.parte("xl/_rels/workbook.xml.rels", relazioniCartella(opzioni)) &&
           p.parte("xl/styles.xml", stili) &&
           (opzioni.testiCondivisi.isEmpty() ||
            p.parte("xl/sharedStrings.xml", testiCondivisi(opzioni.testiCondivisi))) &&
           (!altro || p.parte("xl/worksheets/sheet1.xml", altroFoglio(opzioni.altroFoglio))) &&
           (!opzioni.graficoPrima ||
            p.parte("xl/chartsheets/sheet1.xml", kDichiarazione + QByteArray("<chartsheet/>"))) &&
           p.apriParte(altro ? "xl/worksheets/sheet2.xml" : "xl/worksheets/sheet1.xml",
                       opzioni.grande ? 1 : 6, opzioni.grande) &&
           p.scrivi(inizioFoglio(opzioni));
}

ScriviXlsx::~ScriviXlsx() = default;

bool ScriviXlsx::scriviRighe(const QByteArray& xml)
{
    m_ok = m_ok && m_pacchetto->scrivi(xml);
    return m_ok;
}

bool ScriviXlsx::chiudi()
{
    Pacchetto& p = *m_pacchetto;
    if (!p.zip)
        return false;
    m_ok = scriviRighe("</sheetData></worksheet>") && zipCloseFileInZip(p.zip) == ZIP_OK;
    m_ok = zipClose(p.zip, nullptr) == ZIP_OK && m_ok;
    p.zip = nullptr;
    m_ok = m_ok && p.file.commit();
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
    if (stile >= 0)
        xml += " s=\"" + QByteArray::number(stile) + '"';
    if (!tipo.isEmpty())
        xml += " t=\"" + tipo + '"';
    return xml + "><v>" + valore + "</v></c>";
}

QByteArray ScriviXlsx::testo(const QByteArray& riferimento, const QString& valore, int stile)
{
    QByteArray xml = "<c r=\"" + riferimento + '"';
    if (stile >= 0)
        xml += " s=\"" + QByteArray::number(stile) + '"';
    return xml + " t=\"inlineStr\"><is><t xml:space=\"preserve\">" + escape(valore) +
           "</t></is></c>";
}

QByteArray ScriviXlsx::riga(int numero, const QByteArray& celle)
{
    return "<row r=\"" + QByteArray::number(numero) + "\">" + celle + "</row>";
}

QByteArray ScriviXlsx::intestazione(int numero, const QStringList& testi)
{
    const QByteArray n = QByteArray::number(numero);
    QByteArray celle;
    for (int c = 0; c < testi.size(); ++c)
        celle += "<c r=\"" + lettere(c) + n + "\" s=\"" + QByteArray::number(StileColonna::Titolo) +
                 "\" t=\"inlineStr\"><is><t>" + escape(testi[c]) + "</t></is></c>";
    return riga(numero, celle);
}

QByteArray ScriviXlsx::valori(int numero, const QList<Valore>& valori,
                              const QList<Colonna>& colonne)
{
    const QByteArray n = QByteArray::number(numero);
    QByteArray celle;
    for (int c = 0; c < valori.size(); ++c) {
        const QByteArray rif = lettere(c) + n;
        const int stile = c < colonne.size() ? stileDi(colonne[c].tipo) : StileColonna::Generale;
        const Valore& v = valori[c];
        if (const auto* t = std::get_if<QString>(&v))
            celle += testo(rif, *t, stile);
        else if (const auto* data = std::get_if<QDate>(&v))
            celle += cella(rif, {}, QByteArray::number(numeroSeriale(*data)), stile);
        else if (const auto* numeroCella = std::get_if<double>(&v))
            celle += cella(rif, {}, QByteArray::number(*numeroCella, 'g', 15), stile);
    }
    return riga(numero, celle);
}

QByteArray ScriviXlsx::lettere(int colonna)
{
    QByteArray nome;
    for (int n = colonna + 1; n > 0; n = (n - 1) / 26)
        nome.prepend(static_cast<char>('A' + (n - 1) % 26));
    return nome;
}

int ScriviXlsx::numeroSeriale(const QDate& data)
{
    // Excel counts 29 February 1900, which never existed, so from March 1900
    // on its numbers are days since 30 December 1899.
    return static_cast<int>(QDate(1899, 12, 30).daysTo(data));
}
