// Municipality completion: every prefix of every municipality name is
// completed as if typed, one key at a time, and the time per key is printed
// (mean, 99th and 99.9th percentile, worst), twice, after the one-off reading
// of the table. The worst single key includes whatever the machine was doing
// meanwhile; the percentiles show the completion itself.
#include "registry/ElencoComuni.h"
#include "storage/Connessione.h"
#include "storage/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Orologio = std::chrono::steady_clock;

double microsecondi(Orologio::duration durata)
{
    return std::chrono::duration<double, std::micro>(durata).count();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir cartella;
    auto connessione =
        Database::apri(QDir(cartella.path()).filePath(QStringLiteral("DataBase/ZEFIRANTE.db")));
    if (!connessione) {
        std::fprintf(stderr, "database: %s\n", qPrintable(connessione.errore()));
        return 1;
    }
    ElencoComuni elenco(*connessione.valore());
    const auto inizio = Orologio::now();
    if (auto aperto = elenco.ApriComuni(); !aperto) {
        std::fprintf(stderr, "T_COMUNI: %s\n", qPrintable(aperto.errore()));
        return 1;
    }
    std::printf("lettura di T_COMUNI (%lld nomi): %.1f ms\n",
                static_cast<long long>(elenco.comuni().size()),
                microsecondi(Orologio::now() - inizio) / 1000.0);

    for (int giro = 1; giro <= 2; ++giro) {
        long long mancati = 0;
        std::vector<Orologio::duration> tempi;
        tempi.reserve(100000);
        for (const Comune& comune : elenco.comuni()) {
            for (int n = 1; n <= comune.comune.size(); ++n) {
                const QString testo = comune.comune.left(n);
                const auto t0 = Orologio::now();
                const auto completo = CompletaTesto(elenco, testo, n);
                tempi.push_back(Orologio::now() - t0);
                if (!completo.ok() || !completo->has_value() ||
                    !(*completo)->comune.startsWith(testo, Qt::CaseInsensitive))
                    ++mancati;
            }
        }
        Orologio::duration totale{};
        for (const auto& t : tempi)
            totale += t;
        std::sort(tempi.begin(), tempi.end());
        const auto percentile = [&](double p) {
            return microsecondi(
                tempi[static_cast<std::size_t>(p * static_cast<double>(tempi.size() - 1))]);
        };
        std::printf(
            "giro %d: %zu tasti, media %.2f us, 99%% %.1f us, 99,9%% %.1f us, peggiore %.1f us, "
            "totale %.0f ms, senza risposta %lld\n",
            giro, tempi.size(), microsecondi(totale) / static_cast<double>(tempi.size()),
            percentile(0.99), percentile(0.999), microsecondi(tempi.back()),
            microsecondi(totale) / 1000.0, mancati);
    }
    return 0;
}
