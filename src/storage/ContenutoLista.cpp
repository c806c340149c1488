#include "storage/ContenutoLista.h"

#include "base/Date.h"
#include "base/FormatoItaliano.h"
#include "storage/Connessione.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

qsizetype ContenutoLista::contaCampiData() const
{
    return std::count_if(campi.cbegin(), campi.cend(), [](const CampoLista& c) { return c.data; });
}

CampoLista DescriviCampo(const QString& nome, TipoCampo tipo)
{
    CampoLista campo;
    campo.nome = nome;
    campo.tipo = tipo;
    campo.data = nome.startsWith(QLatin1String("Data"));
    campo.invisibile = nome == QLatin1String("Prog") || nome == QLatin1String("DACO") ||
                       nome == QLatin1String("ERR") || nome == QLatin1String("NRec");
    return campo;
}

QString FormattaValore(const QVariant& valore, TipoCampo tipo)
{
    if (valore.isNull())
        return {};
    switch (tipo) {
    case TipoCampo::Numero: {
        bool ok = false;
        const double numero = valore.toDouble(&ok);
        if (!ok)
            return valore.toString();
        QString testo = FormatoItaliano::importo(numero, 0);
        if (testo == QLatin1String("-0"))
            testo = QStringLiteral("0");
        return testo;
    }
    case TipoCampo::Data:
    case TipoCampo::DataOra:
        return FormattaData(valore);
    case TipoCampo::Testo:
        break;
    }
    return valore.toString();
}

QString DataOrdinabile(const QVariant& valore)
{
    const QString data = FormattaData(valore); // dd/mm/yyyy or ""
    if (data.size() != 10)
        return {};
    return data.mid(6, 4) + data.mid(3, 2) + data.left(2);
}

bool RigaAmmessa(const QList<QVariant>& valori, const QList<CampoLista>& campi,
                 const QString& filtro)
{
    if (filtro.isEmpty())
        return true;
    for (qsizetype j = 0; j < valori.size(); ++j) {
        const QVariant& valore = valori[j];
        if (valore.isNull())
            continue;
        QString testo;
        switch (j < campi.size() ? campi[j].tipo : TipoCampo::Testo) {
        case TipoCampo::Data:
        case TipoCampo::DataOra:
            testo = FormattaData(valore);
            break;
        case TipoCampo::Numero: {
            bool numero = false;
            const double v = valore.toDouble(&numero);
            testo = numero ? TestoCampo(v) : TestoCampo(valore);
            break;
        }
        case TipoCampo::Testo:
            testo = TestoCampo(valore);
            break;
        }
        if (testo.contains(filtro, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

Allineamento AllineamentoColonna(TipoCampo tipo)
{
    switch (tipo) {
    case TipoCampo::Numero:
        return Allineamento::Destra;
    case TipoCampo::Data:
    case TipoCampo::DataOra:
        return Allineamento::Centro;
    case TipoCampo::Testo:
        break;
    }
    return Allineamento::Sinistra;
}

namespace {

// A flag field holds 1 as a number or as the text "1".
bool vale1(const QVariant& valore)
{
    return !valore.isNull() && valore.toString().trimmed() == QLatin1String("1");
}

} // namespace

Esito<ContenutoLista> LeggiLista(const Connessione& connessione, const QString& sqlJet,
                                 const QString& filtro)
{
    auto colonne = colonneRisultato(connessione, sqlJet);
    if (!colonne)
        return Errore{colonne.errore()};
    auto query = connessione.esegui(sqlJet);
    if (!query)
        return Errore{query.errore()};
    QSqlQuery& righe = query.valore();

    ContenutoLista contenuto;
    for (const Colonna& colonna : colonne.valore())
        contenuto.campi.append(DescriviCampo(colonna.nome, colonna.tipo));
    const qsizetype n = contenuto.campi.size();

    QList<QVariant> valori(n);
    while (righe.next()) {
        contenuto.conRecord = true;
        for (qsizetype j = 0; j < n; ++j)
            valori[j] = righe.value(static_cast<int>(j));
        if (!RigaAmmessa(valori, contenuto.campi, filtro))
            continue;

        RigaLista riga;
        riga.celle.reserve(n);
        riga.numeri.reserve(n);
        for (qsizetype j = 0; j < n; ++j) {
            const CampoLista& campo = contenuto.campi[j];
            const QVariant& valore = valori[j];
            riga.celle.append(campo.nome.startsWith(QLatin1String("Prog"))
                                  ? (valore.isNull() ? QString() : valore.toString())
                                  : FormattaValore(valore, campo.tipo));
            bool numero = false;
            const double v = valore.toDouble(&numero);
            riga.numeri.append(campo.tipo == TipoCampo::Numero && !valore.isNull() && numero
                                   ? QVariant(v)
                                   : QVariant());
            if (campo.nome.startsWith(QLatin1String("DACO")) && vale1(valore))
                riga.icona = QStringLiteral("OK");
            if (campo.nome == QLatin1String("ERR") && vale1(valore))
                riga.icona = QStringLiteral("ER");
            if (campo.data)
                riga.chiaviData.append(DataOrdinabile(valore));
        }
        if (!riga.icona.isEmpty())
            contenuto.iconePresenti = true;
        contenuto.righe.append(std::move(riga));
    }
    if (righe.lastError().isValid())
        return Errore{Connessione::descrizione(righe.lastError())};
    return contenuto;
}
