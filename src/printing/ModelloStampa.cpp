#include "printing/ModelloStampa.h"

#include "base/Cp1252.h"
#include "base/ErroreSistema.h"

#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QStringConverter>
#include <QStringDecoder>

namespace {

struct Lettore
{
    QString nome;
    int riga = 0;

    Errore errore(const QString& testo) const
    {
        return Errore{QStringLiteral("Modello %1, riga %2: %3").arg(nome).arg(riga).arg(testo),
                      CodiceStampa::ModelloNonValido};
    }
};

bool comeNumero(const QString& valore, double& numero)
{
    // The template is Italian, so "2,5" is as good as "2.5".
    bool ok = false;
    numero = QString(valore).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok;
}

bool comeSiNo(const QString& valore, bool& sino)
{
    const QString v = valore.toLower();
    if (v == QLatin1String("si") || v == QStringView(u"sì")) {
        sino = true;
        return true;
    }
    if (v == QLatin1String("no")) {
        sino = false;
        return true;
    }
    return false;
}

bool comeFormatoPagina(const QString& valore, QPageSize::PageSizeId& formato)
{
    static const std::pair<const char*, QPageSize::PageSizeId> noti[] = {
        {"A3", QPageSize::A3},         {"A4", QPageSize::A4},       {"A5", QPageSize::A5},
        {"LETTER", QPageSize::Letter}, {"LEGAL", QPageSize::Legal},
    };
    for (const auto& [nome, id] : noti) {
        if (valore.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0) {
            formato = id;
            return true;
        }
    }
    return false;
}

// A value between double quotes keeps its blanks ("Operazioni: ").
QString senzaVirgolette(const QString& valore)
{
    if (valore.size() >= 2 && valore.startsWith(QLatin1Char('"')) &&
        valore.endsWith(QLatin1Char('"')))
        return valore.mid(1, valore.size() - 2);
    return valore;
}

std::optional<Errore> chiavePagina(ModelloStampa& m, const QString& chiave, const QString& valore,
                                   const Lettore& l)
{
    if (chiave == QLatin1String("formato")) {
        if (!comeFormatoPagina(valore, m.formato))
            return l.errore(
                QStringLiteral("formato di pagina sconosciuto \"%1\" (A3, A4, A5, Letter, Legal)")
                    .arg(valore));
    } else if (chiave == QLatin1String("orientamento")) {
        if (valore.compare(QLatin1String("verticale"), Qt::CaseInsensitive) == 0)
            m.orientamento = QPageLayout::Portrait;
        else if (valore.compare(QLatin1String("orizzontale"), Qt::CaseInsensitive) == 0)
            m.orientamento = QPageLayout::Landscape;
        else
            return l.errore(
                QStringLiteral("orientamento \"%1\": verticale o orizzontale").arg(valore));
    } else if (chiave == QLatin1String("margine")) {
        if (!comeNumero(valore, m.margineMm) || m.margineMm < 0 || m.margineMm > 50)
            return l.errore(QStringLiteral("margine \"%1\": millimetri da 0 a 50").arg(valore));
    } else if (chiave == QLatin1String("carattere")) {
        m.carattere = valore;
    } else if (chiave == QLatin1String("dimensione")) {
        if (!comeNumero(valore, m.dimensione) || m.dimensione < 4 || m.dimensione > 24)
            return l.errore(QStringLiteral("dimensione \"%1\": punti da 4 a 24").arg(valore));
    } else {
        return l.errore(QStringLiteral("chiave sconosciuta \"%1\" in [pagina]").arg(chiave));
    }
    return std::nullopt;
}

std::optional<Errore> chiaveColonna(ColonnaModello& c, const QString& chiave, const QString& valore,
                                    const Lettore& l)
{
    using Formato = ColonnaModello::Formato;
    if (chiave == QLatin1String("campo")) {
        c.campo = valore;
    } else if (chiave == QLatin1String("titolo")) {
        c.titolo = valore;
    } else if (chiave == QLatin1String("larghezza")) {
        if (!comeNumero(valore, c.larghezza) || c.larghezza <= 0)
            return l.errore(
                QStringLiteral("larghezza \"%1\": un numero maggiore di zero").arg(valore));
    } else if (chiave == QLatin1String("allineamento")) {
        const QString v = valore.toLower();
        if (v == QLatin1String("sinistra"))
            c.allineamento = Qt::AlignLeft;
        else if (v == QLatin1String("centro"))
            c.allineamento = Qt::AlignHCenter;
        else if (v == QLatin1String("destra"))
            c.allineamento = Qt::AlignRight;
        else
            return l.errore(
                QStringLiteral("allineamento \"%1\": sinistra, centro o destra").arg(valore));
    } else if (chiave == QLatin1String("formato")) {
        const QString v = valore.toLower();
        if (v == QLatin1String("testo"))
            c.formato = Formato::Testo;
        else if (v == QLatin1String("data"))
            c.formato = Formato::Data;
        else if (v == QLatin1String("numero"))
            c.formato = Formato::Numero;
        else if (v == QLatin1String("importo"))
            c.formato = Formato::Importo;
        else
            return l.errore(
                QStringLiteral("formato \"%1\": testo, data, numero o importo").arg(valore));
    } else if (chiave == QLatin1String("decimali")) {
        bool ok = false;
        c.decimali = valore.toInt(&ok);
        if (!ok || c.decimali < 0 || c.decimali > 8)
            return l.errore(QStringLiteral("decimali \"%1\": da 0 a 8").arg(valore));
    } else if (chiave == QLatin1String("totale")) {
        if (!comeSiNo(valore, c.totale))
            return l.errore(QStringLiteral("totale \"%1\": si o no").arg(valore));
    } else {
        return l.errore(QStringLiteral("chiave sconosciuta \"%1\" in [colonna]").arg(chiave));
    }
    return std::nullopt;
}

std::optional<Errore> chiaveTesto(ModelloStampa& m, const QString& sezione, const QString& chiave,
                                  const QString& valore, const Lettore& l)
{
    const std::pair<const char*, QString*> campi[] = {
        {"dati/dataset", &m.dataset},
        {"dati/connessione", &m.connessione},
        {"dati/sql", &m.sql},
        {"testata/titolo", &m.titolo},
        {"testata/sottotitolo", &m.sottotitolo},
        {"piede/testo", &m.piede},
        {"fine/vuoto", &m.vuoto},
        {"fine/totali", &m.totali},
        {"fine/conteggio", &m.conteggio},
    };
    const QString nome = sezione + QLatin1Char('/') + chiave;
    for (const auto& [noto, campo] : campi) {
        if (nome == QLatin1String(noto)) {
            *campo = valore;
            return std::nullopt;
        }
    }
    return l.errore(QStringLiteral("chiave sconosciuta \"%1\" in [%2]").arg(chiave, sezione));
}

} // namespace

QPageLayout ModelloStampa::impaginazione() const
{
    return QPageLayout(QPageSize(formato), orientamento,
                       QMarginsF(margineMm, margineMm, margineMm, margineMm),
                       QPageLayout::Millimeter);
}

Esito<ModelloStampa> LetturaModello::daTesto(const QString& testo, const QString& nome)
{
    ModelloStampa modello;
    Lettore lettore{nome};
    QString sezione;
    for (const QString& grezza : testo.split(QLatin1Char('\n'))) {
        ++lettore.riga;
        const QString riga = grezza.trimmed();
        if (riga.isEmpty() || riga.startsWith(QLatin1Char(';')) ||
            riga.startsWith(QLatin1Char('#')))
            continue;
        if (riga.startsWith(QLatin1Char('['))) {
            if (!riga.endsWith(QLatin1Char(']')))
                return lettore.errore(QStringLiteral("manca la \"]\" della sezione"));
            sezione = riga.mid(1, riga.size() - 2).trimmed().toLower();
            static const QStringList note = {QStringLiteral("pagina"),  QStringLiteral("dati"),
                                             QStringLiteral("testata"), QStringLiteral("piede"),
                                             QStringLiteral("fine"),    QStringLiteral("colonna")};
            if (!note.contains(sezione))
                return lettore.errore(QStringLiteral("sezione sconosciuta [%1]").arg(sezione));
            if (sezione == QLatin1String("colonna"))
                modello.colonne.emplace_back();
            continue;
        }
        const qsizetype uguale = riga.indexOf(QLatin1Char('='));
        if (uguale <= 0)
            return lettore.errore(QStringLiteral("attesa una riga \"chiave = valore\""));
        if (sezione.isEmpty())
            return lettore.errore(QStringLiteral("chiave fuori da ogni sezione"));
        const QString chiave = riga.left(uguale).trimmed().toLower();
        const QString valore = senzaVirgolette(riga.mid(uguale + 1).trimmed());
        std::optional<Errore> errore;
        if (sezione == QLatin1String("pagina"))
            errore = chiavePagina(modello, chiave, valore, lettore);
        else if (sezione == QLatin1String("colonna"))
            errore = chiaveColonna(modello.colonne.back(), chiave, valore, lettore);
        else
            errore = chiaveTesto(modello, sezione, chiave, valore, lettore);
        if (errore)
            return *errore;
    }
    if (modello.colonne.empty())
        return Errore{QStringLiteral("Modello %1: nessuna [colonna] da stampare").arg(nome),
                      CodiceStampa::ModelloNonValido};
    for (size_t i = 0; i < modello.colonne.size(); ++i) {
        if (modello.colonne[i].campo.isEmpty())
            return Errore{
                QStringLiteral("Modello %1: la colonna %2 non ha il campo").arg(nome).arg(i + 1),
                CodiceStampa::ModelloNonValido};
    }
    if (modello.dataset.isEmpty() || modello.connessione.isEmpty())
        return Errore{
            QStringLiteral("Modello %1: dataset e connessione non possono essere vuoti").arg(nome),
            CodiceStampa::ModelloNonValido};
    return modello;
}

Esito<ModelloStampa> LetturaModello::daFile(const QString& percorso)
{
    const QString nome = QDir::toNativeSeparators(percorso);
    QFile file(percorso);
    if (!file.exists())
        return Errore{QStringLiteral("Il modello %1 non esiste.").arg(nome),
                      CodiceStampa::ModelloMancante};
    if (!file.open(QIODevice::ReadOnly))
        return Errore{QStringLiteral("Il modello %1 non si può leggere: %2")
                          .arg(nome, ErroreSistema::descrivi(file)),
                      CodiceStampa::ModelloMancante};
    QByteArray byte = file.readAll();
    if (byte.startsWith("\xEF\xBB\xBF"))
        byte.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString testo = utf8.decode(byte);
    if (utf8.hasError())
        testo = Cp1252::decodifica(byte);
    testo.remove(QLatin1Char('\r'));
    return daTesto(testo, nome);
}
