#include "fogli/CelleBiff.h"

#include "base/Cp1252.h"
#include "fogli/RecordBiff.h"
#include "fogli/StrutturaBiff.h"
#include "fogli/TestoCella.h"

#include <cstring>

using namespace RecordBiff;

namespace {

// A string of Excel 97-2003: a character count, a flags byte (UTF-16 or one
// byte per character, optional rich-text and extension blocks), the characters.
QString stringa8(const Record& r, int inizio, bool contaInByte)
{
    if (inizio + 2 > r.lunghezza)
        return {};
    int p = inizio;
    int caratteri = 0;
    if (contaInByte) {
        caratteri = r.dati[p++];
    } else {
        caratteri = u16(r, p);
        p += 2;
    }
    if (p >= r.lunghezza)
        return {};
    const quint8 opzioni = r.dati[p++];
    if (opzioni & 0x08)
        p += 2; // rich-text runs count
    if (opzioni & 0x04)
        p += 4; // extension size
    QString testo;
    if (opzioni & 0x01) {
        caratteri = qMin(caratteri, (r.lunghezza - p) / 2);
        for (int i = 0; i < caratteri; ++i)
            testo += QChar(static_cast<char16_t>(r.dati[p + 2 * i] | r.dati[p + 2 * i + 1] << 8));
    } else {
        caratteri = qMin(caratteri, r.lunghezza - p);
        for (int i = 0; i < caratteri; ++i)
            testo += QChar(static_cast<char16_t>(r.dati[p + i]));
    }
    return testo;
}

// Excel 5/95 strings have no flags byte: a count, then one byte per
// character in the workbook's code page, Windows-1252 for an Italian Excel.
QString stringa5(const Record& r, int inizio, bool contaInByte)
{
    const int conteggio = contaInByte ? 1 : 2;
    if (inizio + conteggio > r.lunghezza)
        return {};
    const int caratteri =
        qMin<int>(contaInByte ? r.dati[inizio] : u16(r, inizio), r.lunghezza - inizio - conteggio);
    return Cp1252::decodifica(QByteArrayView(r.dati + inizio + conteggio, caratteri));
}

} // namespace

QString nomeErroreBiff(int codice)
{
    switch (codice) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2A:
        return QStringLiteral("#N/A");
    case 0x2B:
        return QStringLiteral("#GETTING_DATA");
    default:
        return QStringLiteral("#%1").arg(codice);
    }
}

namespace {

// The formula results, booleans and error values of the first worksheet of
// a stream already found whole.
void leggiSpeciali(const QByteArray& byte, bool biff8, CelleBiff& risultato)
{
    auto stringa = [biff8](const Record& r, int inizio, bool contaInByte = false) {
        return biff8 ? stringa8(r, inizio, contaInByte) : stringa5(r, inizio, contaInByte);
    };
    Record r;
    std::unordered_map<int, bool> formatiData;
    std::vector<int> formatiCelle;
    qint64 inizioFoglio = -1;
    Records globali(byte);
    globali.prossimo(r); // BOF
    while (globali.prossimo(r) && r.tipo != kEof) {
        switch (r.tipo) {
        case kSistemaDate:
            risultato.sistema1904 = u16(r, 0) == 1;
            break;
        case kFormato:
            formatiData[u16(r, 0)] = TestoCella::formatoData(stringa(r, 2, !biff8));
            break;
        case kXf:
            formatiCelle.push_back(u16(r, 2));
            break;
        case kFoglio: // worksheets have type 0
            if (inizioFoglio < 0 && r.lunghezza >= 8 && r.dati[5] == 0) {
                inizioFoglio = u32(r, 0);
                risultato.primoFoglio = stringa(r, 6, true);
            }
            break;
        default:
            break;
        }
    }
    if (inizioFoglio < 0)
        return;
    auto stileData = [&](quint16 xf) {
        if (xf >= formatiCelle.size())
            return false;
        const int formato = formatiCelle[xf];
        const auto trovato = formatiData.find(formato);
        return trovato != formatiData.end() ? trovato->second
                                            : TestoCella::formatoDataPredefinito(formato);
    };

    Records foglio(byte, static_cast<qsizetype>(inizioFoglio));
    if (!foglio.prossimo(r) || r.tipo != kBof)
        return;
    CellaBiff* attesaTesto = nullptr; // a formula whose text result is in the next STRING record
    while (foglio.prossimo(r) && r.tipo != kEof) {
        if (r.tipo == kTesto && attesaTesto) {
            attesaTesto->testo = stringa(r, 0);
            attesaTesto = nullptr;
            continue;
        }
        if ((r.tipo != kFormula && r.tipo != kBoolErr) || r.lunghezza < 8)
            continue;
        const quint16 riga = u16(r, 0);
        const quint16 colonna = u16(r, 2);
        if (riga < 2 || colonna >= 22)
            continue;
        CellaBiff cella;
        cella.formatoData = stileData(u16(r, 4));
        if (r.tipo == kBoolErr) {
            cella.tipo = r.dati[7] ? CellaBiff::Tipo::Errore : CellaBiff::Tipo::Booleano;
            cella.numero = r.dati[6];
        } else { // FORMULA with its cached result
            if (r.lunghezza < 14)
                continue;
            if (r.dati[12] == 0xFF && r.dati[13] == 0xFF) {
                switch (r.dati[6]) {
                case 0:
                    cella.tipo = CellaBiff::Tipo::Testo;
                    break;
                case 1:
                    cella.tipo = CellaBiff::Tipo::Booleano;
                    cella.numero = r.dati[8];
                    break;
                case 2:
                    cella.tipo = CellaBiff::Tipo::Errore;
                    cella.numero = r.dati[8];
                    break;
                default:
                    cella.tipo = CellaBiff::Tipo::Testo;
                    break; // empty text
                }
            } else {
                std::memcpy(&cella.numero, r.dati + 6, 8); // little-endian IEEE double
                cella.tipo = CellaBiff::Tipo::Numero;
            }
        }
        auto& posto = risultato.celle[CelleBiff::chiave(riga, colonna)];
        posto = std::move(cella);
        attesaTesto = r.tipo == kFormula && posto.tipo == CellaBiff::Tipo::Testo && r.dati[6] == 0
                          ? &posto
                          : nullptr;
    }
}

} // namespace

Esito<CelleBiff> leggiCelleBiff(const QByteArray& contenuto)
{
    auto flusso = flussoCartella(contenuto);
    if (!flusso)
        return Errore{flusso.errore()};
    const QByteArray& byte = flusso.valore().byte;

    // An encrypted workbook (FILEPASS among the first records) has
    // unreadable contents: FreeXL must not be handed it.
    Record r;
    for (Records globaliCifrati(byte); globaliCifrati.prossimo(r) && r.tipo != kEof;)
        if (r.tipo == kProtezione)
            return Errore{QStringLiteral("la cartella di lavoro è protetta da password")};
    if (auto struttura = verificaStrutturaBiff(byte); !struttura)
        return Errore{struttura.errore()};

    CelleBiff risultato;
    Records primo(byte);
    primo.prossimo(r);
    leggiSpeciali(byte, u16(r, 0) == kBiff8, risultato);
    risultato.flusso = std::move(flusso).valore();
    return risultato;
}
