#include "history/ui/StrisciaMesi.h"

#include "history/StoricoInvii.h"
#include "history/ui/ColoriStato.h"
#include "history/ui/TestiStorico.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QStringList kMesi{QStringLiteral("gen"), QStringLiteral("feb"), QStringLiteral("mar"),
                        QStringLiteral("apr"), QStringLiteral("mag"), QStringLiteral("giu"),
                        QStringLiteral("lug"), QStringLiteral("ago"), QStringLiteral("set"),
                        QStringLiteral("ott"), QStringLiteral("nov"), QStringLiteral("dic")};

const QString kNessuna = QStringLiteral("Nessuna comunicazione registrata");

QString suggerimento(const std::optional<StoricoInvii::Invio>& ultimo)
{
    if (!ultimo)
        return kNessuna;
    return QDir::toNativeSeparators(ultimo->percorso) + QStringLiteral("\nscritto il ") +
           TestiStorico::dataOra(ultimo->scritto);
}

void imposta(QLabel* casella, int mese, StoricoInvii::Stato stato, const QString& suggerimento)
{
    const QString testo = StoricoInvii::testoStato(stato);
    casella->setText(kMesi.at(mese - 1) + QLatin1Char('\n') + testo);
    casella->setAccessibleName(kMesi.at(mese - 1) + QStringLiteral(": ") + testo);
    casella->setToolTip(suggerimento);
    casella->setStyleSheet(QStringLiteral("QLabel { background-color: %1; border: 1px solid "
                                          "#9E9E9E; border-radius: 3px; padding: 2px; }"
                                          "QLabel:disabled { background-color: #F7F7F7; }")
                               .arg(ColoreStato(stato).name()));
}

} // namespace

StrisciaMesi::StrisciaMesi(QWidget* padre) : QWidget(padre)
{
    setObjectName(QStringLiteral("StrisciaMesi"));
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(3);
    for (int mese = 1; mese <= 12; ++mese) {
        auto* casella = new QLabel(this);
        casella->setObjectName(QStringLiteral("Mese%1").arg(mese, 2, 10, QLatin1Char('0')));
        casella->setAlignment(Qt::AlignCenter);
        casella->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        fila->addWidget(casella);
        m_mesi << casella;
    }
    spegni();
}

EsitoVuoto StrisciaMesi::mostra(const Connessione& connessione, const QString& agenzia, int anno)
{
    // Every month is read before any box changes, so a failure halfway does
    // not leave a strip that mixes this agency with the previous one.
    QList<std::optional<StoricoInvii::Invio>> ultimi;
    for (int mese = 1; mese <= 12; ++mese) {
        auto letto = StoricoInvii::ultimo(connessione, agenzia, anno, mese);
        if (!letto) {
            spegni();
            return letto.dettaglio();
        }
        ultimi << std::move(letto).valore();
    }
    for (int mese = 1; mese <= 12; ++mese) {
        const auto& ultimo = ultimi.at(mese - 1);
        imposta(m_mesi.at(mese - 1), mese, StoricoInvii::stato(ultimo), suggerimento(ultimo));
    }
    setEnabled(true);
    return {};
}

void StrisciaMesi::spegni()
{
    for (int mese = 1; mese <= 12; ++mese)
        imposta(m_mesi.at(mese - 1), mese, StoricoInvii::Stato::mancante, kNessuna);
    setEnabled(false);
}
