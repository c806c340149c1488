#include "cli/ComandoStorico.h"

#include "cli/OpzioniComunicazione.h"
#include "history/StoricoInvii.h"
#include "registry/ArchivioAgenzie.h"
#include "shell/Ambiente.h"

#include <QDir>

QList<Opzione> ComandoStorico::opzioni() const
{
    return {OpzioniComuni::agenzia()};
}

QString ComandoStorico::nota() const
{
    return QStringLiteral(
        "Una riga per comunicazione, la più recente prima: "
        "AAAA-MM;TIPO;SCRITTA;RECORD B;RIGHE ERRORI;FILE;STATO DEL FILE, TIPO uno di "
        "ordinaria, sostitutiva, vuota, STATO DEL FILE uno di integro, modificato, mancante.");
}

int ComandoStorico::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                           QTextStream& err)
{
    if (segnalaErrore(argomenti.soloOpzioni({QStringLiteral("agenzia")}), err))
        return Uscita::fallito;
    const QString codice = CodiceAgenzia(argomenti);
    const auto agenzia = ArchivioAgenzie::nome(ambiente.db(), codice);
    if (segnalaErrore(agenzia, err))
        return Uscita::fallito;
    if (!agenzia.valore()) {
        err << "Agenzia non trovata: " << codice << Qt::endl;
        return Uscita::fallito;
    }
    const auto invii = StoricoInvii::elenco(ambiente.db(), agenzia.valore()->codice);
    if (segnalaErrore(invii, err))
        return Uscita::fallito;
    for (const StoricoInvii::Invio& invio : invii.valore()) {
        out << QStringLiteral("%1-%2").arg(invio.anno).arg(invio.mese, 2, 10, QLatin1Char('0'))
            << ';' << StoricoInvii::testoTipo(invio.tipo) << ';'
            << invio.scritto.toString(QStringLiteral("dd/MM/yyyy HH:mm")) << ';' << invio.recordB
            << ';' << invio.righeErrori << ';' << QDir::toNativeSeparators(invio.percorso) << ';'
            << StoricoInvii::testoVerifica(StoricoInvii::verifica(invio)) << '\n';
    }
    out.flush();
    return Uscita::fatto;
}
