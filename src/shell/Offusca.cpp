#include "shell/Offusca.h"

QByteArray Offusca::Offusca(QByteArrayView testo, Modo modo, int chiave)
{
    QByteArray risultato(testo.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const int spostamento = chiave + static_cast<int>(i) + 1;
        const int codice = static_cast<unsigned char>(testo[i]);
        const int nuovo = modo == Modo::Scrivi ? codice + spostamento : codice - spostamento;
        risultato[i] = static_cast<char>(((nuovo % 256) + 256) % 256);
    }
    return risultato;
}
