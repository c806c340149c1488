#pragma once

#include "base/Esito.h"

#include <QList>
#include <QWidget>

class Connessione;
class QLabel;

// Twelve small boxes, "Mese01" to "Mese12": how each month of a year stands
// for one agency ("creata", "vuota", "con errori", "mancante"), so the
// accountant sees at a glance which months are still to do. A box's tooltip
// names the latest file of its month and when it was written.
class StrisciaMesi : public QWidget
{
    Q_OBJECT

public:
    explicit StrisciaMesi(QWidget* padre = nullptr);

    // The months of `anno` for `agenzia` (its OCOD). A history that cannot be
    // read leaves the strip greyed and says why.
    EsitoVuoto mostra(const Connessione& connessione, const QString& agenzia, int anno);
    // No agency, or no year to show: every month "mancante", greyed.
    void spegni();

private:
    QList<QLabel*> m_mesi;
};
