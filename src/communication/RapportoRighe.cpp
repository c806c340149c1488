#include "communication/RapportoRighe.h"

#include "base/Cp1252.h"
#include "base/ErroreSistema.h"

#include <QDir>
#include <charconv>
#include <iterator>

namespace {

const QString kLineaTratteggio(100, QLatin1Char('-'));

QString descrizioneFile(const QSaveFile& file)
{
    return QStringLiteral("Impossibile scrivere il file ") +
           QDir::toNativeSeparators(file.fileName()) + QStringLiteral(": ") +
           ErroreSistema::descrivi(file);
}

} // namespace

RapportoRighe::RapportoRighe(QString percorso, QString foglio, Forma forma)
    : m_percorso(std::move(percorso)), m_foglio(std::move(foglio)), m_forma(forma)
{
}

EsitoVuoto RapportoRighe::scriviRiga(const QString& testo)
{
    QByteArray riga = Cp1252::codifica(testo);
    riga += "\r\n";
    if (m_file->write(riga) != riga.size())
        return Errore{descrizioneFile(*m_file)};
    return {};
}

EsitoVuoto RapportoRighe::scrivi(int riga, const QString& messaggio)
{
    if (!m_file) {
        auto file = std::make_unique<QSaveFile>(m_percorso);
        if (!file->open(QIODevice::WriteOnly))
            return Errore{descrizioneFile(*file)};
        m_file = std::move(file);
        for (const QString& intestazione :
             {kLineaTratteggio, QStringView(m_forma.titolo).toString(),
              QStringLiteral("Archivio: ") + QDir::toNativeSeparators(m_foglio), kLineaTratteggio,
              QStringLiteral(" ")}) {
            if (auto esito = scriviRiga(intestazione); !esito)
                return esito;
        }
    }
    // Built as bytes in a kept buffer: a sheet with many faulty rows writes
    // a line for each.
    char cifre[16];
    const auto fine = std::to_chars(std::begin(cifre), std::end(cifre), riga).ptr;
    m_riga.resize(0);
    m_riga += " Riga: ";
    m_riga += QByteArrayView(cifre, fine - cifre);
    m_riga += m_forma.voce;
    Cp1252::codificaIn(messaggio, m_riga);
    m_riga += "\r\n";
    if (m_file->write(m_riga) != m_riga.size())
        return Errore{descrizioneFile(*m_file)};
    ++m_righe;
    return {};
}

EsitoVuoto RapportoRighe::chiudi()
{
    if (!m_file || m_chiuso)
        return {};
    m_chiuso = true;
    if (auto esito = scriviRiga(kLineaTratteggio); !esito)
        return esito;
    if (!m_file->commit())
        return Errore{descrizioneFile(*m_file)};
    return {};
}
