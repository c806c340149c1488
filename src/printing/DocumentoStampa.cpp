#include "printing/DocumentoStampa.h"

#include "base/FormatoItaliano.h"
#include "storage/Connessione.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace {

using Formato = ColonnaModello::Formato;

// A number cell: the value when the text reads as one (the database hands
// doubles, an imported table may hand text).
bool valoreNumerico(const QVariant& valore, double& numero)
{
    if (valore.isNull())
        return false;
    bool ok = false;
    numero = valore.toDouble(&ok);
    return ok && std::isfinite(numero);
}

QString formatta(const QVariant& valore, const ColonnaModello& colonna)
{
    if (valore.isNull())
        return {};
    switch (colonna.formato) {
    case Formato::Testo:
        return valore.toString().trimmed();
    case Formato::Data: {
        if (valore.typeId() == QMetaType::QDate || valore.typeId() == QMetaType::QDateTime)
            return FormatoItaliano::data(valore.toDate());
        // Dates are stored as yyyy-mm-dd, sometimes followed by a time.
        const QString testo = valore.toString().trimmed();
        const QDate giorno = QDate::fromString(testo.left(10), QStringLiteral("yyyy-MM-dd"));
        return giorno.isValid() ? FormatoItaliano::data(giorno) : testo;
    }
    case Formato::Numero:
    case Formato::Importo: {
        double numero = 0;
        if (!valoreNumerico(valore, numero))
            return valore.toString().trimmed();
        return colonna.formato == Formato::Numero
                   ? FormatoItaliano::numero(numero, colonna.decimali)
                   : FormatoItaliano::importo(numero, colonna.decimali);
    }
    }
    return {};
}

// What occupies one line of the body: a data row, or one of the lines that
// close the list.
struct Voce
{
    enum class Tipo
    {
        Riga,
        Vuoto,
        Totali,
        Conteggio
    } tipo;
    int indice = 0;
};

// The measures of a page of this list on one device, in device pixels.
struct Misure
{
    QFont corpo, grassetto, titolo, sottotitolo;
    double larghezza = 0, altezza = 0;
    double riga = 0;     // height of one body line
    double margine = 0;  // padding inside a cell
    double yColonne = 0; // top of the column captions
    double yCorpo = 0;   // top of the first body line
    double yPiede = 0;   // top of the footer line
    int righePerPagina = 0;
    std::vector<double> x, w; // left edge and width of every column
};

Misure misura(const ModelloStampa& modello, QPaintDevice& dispositivo)
{
    Misure m;
    m.corpo = QFont(modello.carattere);
    m.corpo.setStyleHint(QFont::SansSerif);
    m.corpo.setPointSizeF(modello.dimensione);
    // Any letter spacing turns ligatures off: "fi" stays two letters, so a
    // search in the PDF finds "Codice fiscale" and copied text reads right.
    // A 64th of a pixel is invisible at any resolution.
    m.corpo.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
    m.grassetto = m.corpo;
    m.grassetto.setBold(true);
    m.titolo = m.grassetto;
    m.titolo.setPointSizeF(modello.dimensione + 5);
    m.sottotitolo = m.corpo;
    m.sottotitolo.setPointSizeF(modello.dimensione + 2);

    const QFontMetricsF fCorpo(m.corpo, &dispositivo);
    const QFontMetricsF fTitolo(m.titolo, &dispositivo);
    const QFontMetricsF fSotto(m.sottotitolo, &dispositivo);
    m.larghezza = dispositivo.width();
    m.altezza = dispositivo.height();
    m.riga = std::ceil(fCorpo.height() * 1.35);
    m.margine = fCorpo.height() * 0.25;
    m.yColonne = fTitolo.height() + fSotto.height() * 1.4;
    m.yCorpo = m.yColonne + m.riga * 1.2;
    m.yPiede = m.altezza - m.riga;
    m.righePerPagina = static_cast<int>(std::floor((m.yPiede - m.riga * 0.3 - m.yCorpo) / m.riga));

    double pesi = 0;
    for (const auto& colonna : modello.colonne)
        pesi += colonna.larghezza;
    double x = 0;
    for (const auto& colonna : modello.colonne) {
        const double w = m.larghezza * colonna.larghezza / pesi;
        m.x.push_back(x);
        m.w.push_back(w);
        x += w;
    }
    return m;
}

void cella(QPainter& p, const Misure& m, double x, double w, double y, const QString& testo,
           Qt::Alignment a)
{
    const double utile = w - 2 * m.margine;
    if (utile <= 0 || testo.isEmpty())
        return;
    const QString visibile =
        p.fontMetrics().elidedText(testo, Qt::ElideRight, static_cast<int>(utile));
    p.drawText(QRectF(x + m.margine, y, utile, m.riga), static_cast<int>(a | Qt::AlignVCenter),
               visibile);
}

EsitoVuoto erroreSePaginaPiccola(const Misure& m)
{
    if (m.righePerPagina >= 1)
        return {};
    return Errore{QStringLiteral("La pagina non contiene nemmeno una riga dell'elenco: ridurre "
                                 "il margine o la dimensione del carattere nel modello."),
                  CodiceStampa::Pagina};
}

} // namespace

DocumentoStampa::DocumentoStampa(ModelloStampa modello, const QHash<QString, QString>& parametri,
                                 QDate dataStampa)
    : m_modello(std::move(modello)), m_dataStampa(dataStampa)
{
    for (auto it = parametri.begin(); it != parametri.end(); ++it)
        m_parametri.insert(it.key().toUpper(), it.value());
    m_titolo = conParametri(m_modello.titolo);
    m_sottotitolo = conParametri(m_modello.sottotitolo);
    m_piede = conParametri(m_modello.piede);
    m_somme.assign(m_modello.colonne.size(), 0);
}

QString DocumentoStampa::conParametri(const QString& testo) const
{
    // {NOME} takes the parameter's value; a parameter never set prints nothing.
    static const QRegularExpression segnaposto(QStringLiteral("\\{([A-Za-z0-9_]+)\\}"));
    QString risultato;
    qsizetype da = 0;
    for (auto it = segnaposto.globalMatch(testo); it.hasNext();) {
        const auto trovato = it.next();
        risultato += testo.mid(da, trovato.capturedStart() - da);
        risultato += m_parametri.value(trovato.captured(1).toUpper());
        da = trovato.capturedEnd();
    }
    return risultato + testo.mid(da);
}

EsitoVuoto DocumentoStampa::leggi(QSqlQuery& query, const SeguitoStampa& seguito)
{
    const QSqlRecord record = query.record();
    std::vector<int> posizioni;
    for (const auto& colonna : m_modello.colonne) {
        const int posizione = record.indexOf(colonna.campo);
        if (posizione < 0)
            return Errore{
                QStringLiteral("Il campo %1 del modello non è tra le colonne del dataset %2.")
                    .arg(colonna.campo, m_modello.dataset),
                CodiceStampa::ModelloNonValido};
        posizioni.push_back(posizione);
    }
    while (query.next()) {
        if (seguito.interrotta())
            return SeguitoStampa::erroreInterrotta();
        QStringList riga;
        riga.reserve(static_cast<qsizetype>(posizioni.size()));
        for (size_t c = 0; c < posizioni.size(); ++c) {
            const QVariant valore = query.value(posizioni[c]);
            const ColonnaModello& colonna = m_modello.colonne[c];
            riga << formatta(valore, colonna);
            double numero = 0;
            if (colonna.totale && valoreNumerico(valore, numero))
                m_somme[c] += numero;
        }
        m_righe.push_back(std::move(riga));
    }
    // A read that breaks off half-way must not pass for a shorter list.
    if (query.lastError().isValid())
        return Errore{Connessione::descrizione(query.lastError()), CodiceStampa::Dati};
    return {};
}

QString DocumentoStampa::totale(int colonna) const
{
    const auto c = static_cast<size_t>(colonna);
    if (c >= m_modello.colonne.size() || !m_modello.colonne[c].totale)
        return {};
    const ColonnaModello& modello = m_modello.colonne[c];
    const double somma = static_cast<double>(m_somme[c]);
    return modello.formato == Formato::Numero ? FormatoItaliano::numero(somma, modello.decimali)
                                              : FormatoItaliano::importo(somma, modello.decimali);
}

namespace {

std::vector<Voce> voci(const ModelloStampa& modello, int righe)
{
    std::vector<Voce> elenco;
    elenco.reserve(static_cast<size_t>(righe) + 3);
    for (int i = 0; i < righe; ++i)
        elenco.push_back({Voce::Tipo::Riga, i});
    if (righe == 0)
        elenco.push_back({Voce::Tipo::Vuoto});
    const bool conTotali = std::any_of(modello.colonne.begin(), modello.colonne.end(),
                                       [](const ColonnaModello& c) { return c.totale; });
    if (righe > 0 && conTotali)
        elenco.push_back({Voce::Tipo::Totali});
    if (!modello.conteggio.isEmpty())
        elenco.push_back({Voce::Tipo::Conteggio});
    return elenco;
}

int contaPagine(size_t voci, int righePerPagina)
{
    return static_cast<int>((voci + static_cast<size_t>(righePerPagina) - 1) /
                            static_cast<size_t>(righePerPagina));
}

} // namespace

Esito<int> DocumentoStampa::pagine(QPagedPaintDevice& dispositivo) const
{
    const Misure m = misura(m_modello, dispositivo);
    if (auto piccola = erroreSePaginaPiccola(m); !piccola)
        return piccola.dettaglio();
    return contaPagine(voci(m_modello, righe()).size(), m.righePerPagina);
}

Esito<int> DocumentoStampa::disegna(QPagedPaintDevice& dispositivo,
                                    const SeguitoStampa& seguito) const
{
    const Misure m = misura(m_modello, dispositivo);
    if (auto piccola = erroreSePaginaPiccola(m); !piccola)
        return piccola.dettaglio();
    const std::vector<Voce> elenco = voci(m_modello, righe());
    const int totalePagine = contaPagine(elenco.size(), m.righePerPagina);
    const size_t colonne = m_modello.colonne.size();

    QPainter p;
    if (!p.begin(&dispositivo))
        return Errore{QStringLiteral("Impossibile iniziare la stampa sul dispositivo."),
                      CodiceStampa::Scrittura};
    const QPen tratto(Qt::black, std::max(1.0, m.riga / 20));
    const QColor fondoAlterno(240, 240, 240);
    const QString stampato = QStringLiteral("Stampato il ") + FormatoItaliano::data(m_dataStampa);

    for (int pagina = 0; pagina < totalePagine; ++pagina) {
        if (seguito.interrotta()) {
            p.end();
            return SeguitoStampa::erroreInterrotta();
        }
        seguito.avanza(pagina, totalePagine);
        if (pagina > 0 && !dispositivo.newPage()) {
            p.end();
            return Errore{QStringLiteral("Impossibile aggiungere una pagina."),
                          CodiceStampa::Scrittura};
        }
        // The heading repeats on every page, so a loose sheet still says what it is.
        p.setPen(tratto);
        p.setFont(m.titolo);
        const double hTitolo = p.fontMetrics().height();
        p.drawText(QRectF(0, 0, m.larghezza * 0.75, hTitolo), Qt::AlignLeft | Qt::AlignVCenter,
                   m_titolo);
        p.setFont(m.corpo);
        p.drawText(QRectF(m.larghezza * 0.75, 0, m.larghezza * 0.25, hTitolo),
                   Qt::AlignRight | Qt::AlignVCenter, stampato);
        p.setFont(m.sottotitolo);
        p.drawText(QRectF(0, hTitolo, m.larghezza, p.fontMetrics().height()),
                   Qt::AlignLeft | Qt::AlignVCenter, m_sottotitolo);
        p.setFont(m.grassetto);
        for (size_t c = 0; c < colonne; ++c)
            cella(p, m, m.x[c], m.w[c], m.yColonne, m_modello.colonne[c].titolo,
                  m_modello.colonne[c].allineamento);
        p.drawLine(QPointF(0, m.yColonne + m.riga), QPointF(m.larghezza, m.yColonne + m.riga));

        const size_t primo = static_cast<size_t>(pagina) * static_cast<size_t>(m.righePerPagina);
        const size_t ultimo =
            std::min(elenco.size(), primo + static_cast<size_t>(m.righePerPagina));
        double y = m.yCorpo;
        for (size_t v = primo; v < ultimo; ++v, y += m.riga) {
            const Voce& voce = elenco[v];
            switch (voce.tipo) {
            case Voce::Tipo::Riga: {
                if (voce.indice % 2 == 1)
                    p.fillRect(QRectF(0, y, m.larghezza, m.riga), fondoAlterno);
                p.setFont(m.corpo);
                const QStringList& valori = riga(voce.indice);
                for (size_t c = 0; c < colonne; ++c)
                    cella(p, m, m.x[c], m.w[c], y, valori.at(static_cast<qsizetype>(c)),
                          m_modello.colonne[c].allineamento);
                break;
            }
            case Voce::Tipo::Vuoto:
                p.setFont(m.corpo);
                cella(p, m, 0, m.larghezza, y,
                      m_modello.vuoto.isEmpty() ? QStringLiteral("Nessun dato da stampare.")
                                                : conParametri(m_modello.vuoto),
                      Qt::AlignLeft);
                break;
            case Voce::Tipo::Totali: {
                p.drawLine(QPointF(0, y), QPointF(m.larghezza, y));
                p.setFont(m.grassetto);
                // The caption spans the columns before the first total.
                size_t primoTotale = 0;
                while (primoTotale < colonne && !m_modello.colonne[primoTotale].totale)
                    ++primoTotale;
                const double finoA = primoTotale < colonne ? m.x[primoTotale] : m.larghezza;
                cella(p, m, 0, finoA, y, conParametri(m_modello.totali), Qt::AlignLeft);
                for (size_t c = primoTotale; c < colonne; ++c)
                    cella(p, m, m.x[c], m.w[c], y, totale(static_cast<int>(c)),
                          m_modello.colonne[c].allineamento);
                break;
            }
            case Voce::Tipo::Conteggio:
                p.setFont(m.corpo);
                cella(p, m, 0, m.larghezza, y,
                      conParametri(m_modello.conteggio) + FormatoItaliano::importo(righe(), 0),
                      Qt::AlignLeft);
                break;
            }
        }

        p.setFont(m.corpo);
        p.drawLine(QPointF(0, m.yPiede), QPointF(m.larghezza, m.yPiede));
        cella(p, m, 0, m.larghezza * 0.7, m.yPiede, m_piede, Qt::AlignLeft);
        cella(p, m, m.larghezza * 0.7, m.larghezza * 0.3, m.yPiede,
              QStringLiteral("Pagina %1 di %2").arg(pagina + 1).arg(totalePagine), Qt::AlignRight);
    }
    if (!p.end())
        return Errore{QStringLiteral("Impossibile completare la stampa."), CodiceStampa::Scrittura};
    seguito.avanza(totalePagine, totalePagine);
    return totalePagine;
}
