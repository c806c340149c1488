#include "ScriviDocumentoComposto.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr char kFirma[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr quint32 kFineCatena = 0xFFFFFFFE;
constexpr quint32 kLibero = 0xFFFFFFFF;
constexpr quint32 kSettoreTabella = 0xFFFFFFFD;
constexpr qsizetype kSettore = 4096;
constexpr qsizetype kVociTabella = kSettore / 4;
constexpr qsizetype kListaInTesta = 109; // allocation-table sectors the header lists

void scrivi16(QByteArray& d, qsizetype i, quint16 v)
{
    qToLittleEndian(v, d.data() + i);
}

void scrivi32(QByteArray& d, qsizetype i, quint32 v)
{
    qToLittleEndian(v, d.data() + i);
}

void scriviVoce(QByteArray& d, qsizetype voce, const QString& nome, quint8 tipo, quint32 figlio,
                quint32 inizio, quint32 dimensione)
{
    for (qsizetype i = 0; i < nome.size(); ++i)
        scrivi16(d, voce + 2 * i, nome[i].unicode());
    scrivi16(d, voce + 0x40, static_cast<quint16>((nome.size() + 1) * 2));
    d[voce + 0x42] = static_cast<char>(tipo);
    d[voce + 0x43] = 1;                // black, as every entry of a tree of one level
    scrivi32(d, voce + 0x44, kLibero); // no left sibling
    scrivi32(d, voce + 0x48, kLibero); // no right sibling
    scrivi32(d, voce + 0x4C, figlio);
    scrivi32(d, voce + 0x74, inizio);
    scrivi32(d, voce + 0x78, dimensione);
}

} // namespace

Esito<QByteArray> documentoComposto(const FlussoCartella& flusso)
{
    const qsizetype datiSettori =
        qMax<qsizetype>(1, (flusso.byte.size() + kSettore - 1) / kSettore);
    qsizetype tabelle = 1;
    while (tabelle * kVociTabella < datiSettori + tabelle + 1)
        ++tabelle;
    if (tabelle > kListaInTesta || flusso.nome.size() > 31)
        return Errore{QStringLiteral("cartella di lavoro troppo grande")};
    const qsizetype directory = datiSettori + tabelle;

    // The header fills the first sector; sector n starts at (n + 1) * 4096.
    QByteArray d((directory + 2) * kSettore, '\0');
    std::memcpy(d.data(), kFirma, 8);
    scrivi16(d, 0x18, 0x003E);
    scrivi16(d, 0x1A, 4); // version 4: 4096-byte sectors
    scrivi16(d, 0x1C, 0xFFFE);
    scrivi16(d, 0x1E, 12);
    scrivi16(d, 0x20, 6);
    scrivi32(d, 0x28, 1);
    scrivi32(d, 0x2C, static_cast<quint32>(tabelle));
    scrivi32(d, 0x30, static_cast<quint32>(directory));
    scrivi32(d, 0x38, 4096);
    scrivi32(d, 0x3C, kFineCatena); // no mini stream
    scrivi32(d, 0x44, kFineCatena); // no further lists of table sectors
    for (qsizetype i = 0; i < kListaInTesta; ++i)
        scrivi32(d, 0x4C + 4 * i, i < tabelle ? static_cast<quint32>(datiSettori + i) : kLibero);

    std::memcpy(d.data() + kSettore, flusso.byte.constData(),
                static_cast<std::size_t>(flusso.byte.size()));

    const qsizetype tabella = (datiSettori + 1) * kSettore;
    for (qsizetype s = 0; s < tabelle * kVociTabella; ++s) {
        quint32 valore = kLibero;
        if (s < datiSettori - 1)
            valore = static_cast<quint32>(s + 1);
        else if (s == datiSettori - 1 || s == directory)
            valore = kFineCatena;
        else if (s < directory)
            valore = kSettoreTabella;
        scrivi32(d, tabella + 4 * s, valore);
    }

    const qsizetype voci = (directory + 1) * kSettore;
    for (qsizetype voce = voci; voce < voci + kSettore; voce += 128) {
        scrivi32(d, voce + 0x44, kLibero);
        scrivi32(d, voce + 0x48, kLibero);
        scrivi32(d, voce + 0x4C, kLibero);
    }
    scriviVoce(d, voci, QStringLiteral("Root Entry"), 5, 1, kFineCatena, 0);
    // A stream under 4096 bytes would belong in the mini stream: padded
    // with zeros, which after the workbook's last record read as its end.
    scriviVoce(d, voci + 128, flusso.nome, 2, kLibero, 0,
               static_cast<quint32>(qMax<qsizetype>(flusso.byte.size(), 4096)));
    return d;
}
