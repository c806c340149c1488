#include "CartellaXlsx.h"

#include <QBuffer>
#include <QDate>
#include <QSaveFile>
#include <zip.h>

namespace {

// Cell styles (indexes into cellXfs below).
enum Stile
{
    Generale = 0,
    Titolo = 1,
    StileTesto = 2,
    StileData = 3,
    StileImporto = 4
};

const char* const kStili =
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

QByteArray escape(const QString& testo)
{
    return testo.toHtmlEscaped().toUtf8();
}

// A1-style column letters of a column counted from 0.
QByteArray lettere(int colonna)
{
    QByteArray nome;
    for (int n = colonna + 1; n > 0; n = (n - 1) / 26)
        nome.prepend(static_cast<char>('A' + (n - 1) % 26));
    return nome;
}

int stileDi(CartellaXlsx::Tipo tipo)
{
    switch (tipo) {
    case CartellaXlsx::Tipo::Data:
        return StileData;
    case CartellaXlsx::Tipo::Importo:
        return StileImporto;
    case CartellaXlsx::Tipo::Testo:
        break;
    }
    return StileTesto;
}

// Writes the zip's parts in memory. minizip works on files, so it is given
// a QBuffer through its I/O callbacks.
class ZipInMemoria
{
public:
    ZipInMemoria()
    {
        m_buffer.open(QIODevice::ReadWrite);
        zlib_filefunc64_def funzioni{};
        funzioni.zopen64_file = [](voidpf opaco, const void*, int) -> voidpf { return opaco; };
        funzioni.zread_file = [](voidpf, voidpf flusso, void* dati, uLong n) -> uLong {
            return static_cast<uLong>(
                static_cast<QBuffer*>(flusso)->read(static_cast<char*>(dati), qint64(n)));
        };
        funzioni.zwrite_file = [](voidpf, voidpf flusso, const void* dati, uLong n) -> uLong {
            return static_cast<uLong>(
                static_cast<QBuffer*>(flusso)->write(static_cast<const char*>(dati), qint64(n)));
        };
        funzioni.ztell64_file = [](voidpf, voidpf flusso) -> ZPOS64_T {
            return static_cast<ZPOS64_T>(static_cast<QBuffer*>(flusso)->pos());
        };
        funzioni.zseek64_file = [](voidpf, voidpf flusso, ZPOS64_T distanza, int origine) -> long {
            auto* buffer = static_cast<QBuffer*>(flusso);
            qint64 base = 0;
            if (origine == ZLIB_FILEFUNC_SEEK_CUR)
                base = buffer->pos();
            else if (origine == ZLIB_FILEFUNC_SEEK_END)
                base = buffer->size();
            return buffer->seek(base + qint64(distanza)) ? 0 : -1;
        };
        funzioni.zclose_file = [](voidpf, voidpf) -> int { return 0; };
        funzioni.zerror_file = [](voidpf, voidpf) -> int { return 0; };
        funzioni.opaque = &m_buffer;
        m_zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &funzioni);
        m_ok = m_zip != nullptr;
    }

    void parte(const char* nome, const QByteArray& contenuto)
    {
        if (!m_ok)
            return;
        // A fixed date keeps the package identical from run to run.
        zip_fileinfo info{};
        info.tmz_date.tm_year = 2026;
        info.tmz_date.tm_mon = 0;
        info.tmz_date.tm_mday = 1;
        m_ok = zipOpenNewFileInZip64(m_zip, nome, &info, nullptr, 0, nullptr, 0, nullptr,
                                     Z_DEFLATED, 6, 0) == ZIP_OK &&
               zipWriteInFileInZip(m_zip, contenuto.constData(),
                                   static_cast<unsigned>(contenuto.size())) == ZIP_OK &&
               zipCloseFileInZip(m_zip) == ZIP_OK;
    }

    QByteArray chiudi()
    {
        if (m_zip && zipClose(m_zip, nullptr) != ZIP_OK)
            m_ok = false;
        m_zip = nullptr;
        return m_ok ? m_buffer.data() : QByteArray();
    }

    ~ZipInMemoria()
    {
        if (m_zip)
            zipClose(m_zip, nullptr);
    }

private:
    QBuffer m_buffer;
    zipFile m_zip = nullptr;
    bool m_ok = false;
};

} // namespace

CartellaXlsx::CartellaXlsx(QString nomeFoglio, QList<Colonna> colonne)
    : m_nome(std::move(nomeFoglio)), m_colonne(std::move(colonne))
{
}

int CartellaXlsx::numeroSeriale(const QDate& data)
{
    // Excel counts 29 February 1900, which never existed, so from March 1900
    // on its numbers are days since 30 December 1899.
    return static_cast<int>(QDate(1899, 12, 30).daysTo(data));
}

void CartellaXlsx::intestazione(const QStringList& testi)
{
    const int numero = static_cast<int>(m_righe.size()) + 1;
    QByteArray celle;
    for (int c = 0; c < testi.size(); ++c)
        celle += "<c r=\"" + lettere(c) + QByteArray::number(numero) + "\" s=\"" +
                 QByteArray::number(Titolo) + "\" t=\"inlineStr\"><is><t>" + escape(testi[c]) +
                 "</t></is></c>";
    m_righe.append("<row r=\"" + QByteArray::number(numero) + "\">" + celle + "</row>");
    m_intestazioni = numero;
}

void CartellaXlsx::riga(const QList<Valore>& valori)
{
    const int numero = static_cast<int>(m_righe.size()) + 1;
    QByteArray celle;
    for (int c = 0; c < valori.size(); ++c) {
        const QByteArray rif = lettere(c) + QByteArray::number(numero);
        const QByteArray stile =
            QByteArray::number(c < m_colonne.size() ? stileDi(m_colonne[c].tipo) : Generale);
        const Valore& v = valori[c];
        if (const auto* testo = std::get_if<QString>(&v))
            celle += "<c r=\"" + rif + "\" s=\"" + stile +
                     "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + escape(*testo) +
                     "</t></is></c>";
        else if (const auto* data = std::get_if<QDate>(&v))
            celle += "<c r=\"" + rif + "\" s=\"" + stile + "\"><v>" +
                     QByteArray::number(numeroSeriale(*data)) + "</v></c>";
        else if (const auto* numeroCella = std::get_if<double>(&v))
            celle += "<c r=\"" + rif + "\" s=\"" + stile + "\"><v>" +
                     QByteArray::number(*numeroCella, 'g', 15) + "</v></c>";
    }
    m_righe.append("<row r=\"" + QByteArray::number(numero) + "\">" + celle + "</row>");
}

QByteArray CartellaXlsx::foglio() const
{
    QByteArray xml =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
    xml += "<sheetViews><sheetView workbookViewId=\"0\">";
    if (m_intestazioni > 0) {
        const QByteArray prima = "A" + QByteArray::number(m_intestazioni + 1);
        xml += "<pane ySplit=\"" + QByteArray::number(m_intestazioni) + "\" topLeftCell=\"" +
               prima +
               "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" "
               "activeCell=\"" +
               prima + "\" sqref=\"" + prima + "\"/>";
    }
    xml += "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/><cols>";
    for (int c = 0; c < m_colonne.size(); ++c) {
        const QByteArray n = QByteArray::number(c + 1);
        // The column's own style formats the cells a user types in later rows.
        xml += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"" +
               QByteArray::number(m_colonne[c].larghezza, 'f', 2) + "\" style=\"" +
               QByteArray::number(stileDi(m_colonne[c].tipo)) + "\" customWidth=\"1\"/>";
    }
    xml += "</cols><sheetData>";
    for (const QByteArray& r : m_righe)
        xml += r;
    return xml + "</sheetData></worksheet>";
}

QByteArray CartellaXlsx::contenuto() const
{
    ZipInMemoria zip;
    zip.parte(
        "[Content_Types].xml",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
        R"(</Types>)");
    zip.parte(
        "_rels/.rels",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
        R"(</Relationships>)");
    zip.parte(
        "xl/workbook.xml",
        QByteArray(
            R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            "\n"
            R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
            R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
            R"(<bookViews><workbookView/></bookViews><sheets><sheet name=")") +
            escape(m_nome) + R"(" sheetId="1" r:id="rId1"/></sheets></workbook>)");
    zip.parte(
        "xl/_rels/workbook.xml.rels",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
        R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        R"(</Relationships>)");
    zip.parte("xl/styles.xml", kStili);
    zip.parte("xl/worksheets/sheet1.xml", foglio());
    return zip.chiudi();
}

bool CartellaXlsx::salva(const QString& percorso) const
{
    const QByteArray dati = contenuto();
    if (dati.isEmpty())
        return false;
    QSaveFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size() && file.commit();
}
