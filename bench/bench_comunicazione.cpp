// The whole road of a monthly communication on a 500,000-row month: reading
// the sheet, checking every row, writing the communication and the error
// report. A CSV file and an .xlsx workbook, valid and faulty rows mixed, each
// run twice; beside them a floor, reading the same input and writing an
// output of the communication's size, so the ratio shows what the checks and
// records cost. Prints rows/s, MB/s, the ratio and peak memory.
#include "MisureProcesso.h"
#include "PavimentoXlsx.h"
#include "communication/LeggiFoglio.h"
#include "shell/Avvio.h"
#include "shell/Cartelle.h"
#include "xlsx/ScriviXlsx.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// The rows of the month; a second argument sets another count (a shorter
// run under a profiler).
int numeroRighe = 500000;

// One row in ten carries a fault the checks report: a wrong codice fiscale,
// an unknown currency, a missing first name, an impossible date.
QByteArray valore(int i, int colonna)
{
    const int guasto = i % 10 == 9 ? (i / 10) % 4 : -1;
    switch (colonna) {
    case 0:
        return QByteArray("ROSSI\0BIANCHI\0COLOMBO\0RICCI", 27).split('\0')[i % 4];
    case 1:
        return guasto == 2 ? QByteArray() : QByteArray("MARIO");
    case 2:
        return "M";
    case 3:
        return guasto == 0 ? "RSSMRA80A01H501X" : "RSSMRA80A01H501U";
    case 4:
        return guasto == 3 ? "31/02/1980" : "01/01/1980";
    case 5:
        return "ROMA";
    case 6:
        return "RM";
    case 7:
        return "ITALIA";
    case 8:
        return "ITA";
    case 9:
        return "CI";
    case 10:
        return "AX" + QByteArray::number(1000000 + i);
    case 11:
        return "31/12/2030";
    case 12:
        return "COMUNE";
    case 13:
        return "ROMA";
    case 14: // the day with its two digits, as a sheet writes it
        return QByteArray::number(i % 28 + 1).rightJustified(2, '0') + "/03/2026";
    case 15:
        return "MILANO";
    case 16:
        return "A";
    case 17:
        return guasto == 1 ? "QQQ" : "USD";
    case 18:
        return QByteArray::number(100 + i % 9000) + ",50";
    case 19:
        return QByteArray::number(92 + i % 8000) + ",10";
    case 20:
        return "0";
    default:
        return QByteArray::number(i);
    }
}

bool scriviCsv(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("COGNOME;NOME;...\r\n\r\n");
    QByteArray blocco;
    for (int i = 0; i < numeroRighe; ++i) {
        for (int c = 0; c < 22; ++c) {
            blocco += valore(i, c);
            blocco += c == 21 ? "\r\n" : ";";
        }
        if (blocco.size() > (1 << 20)) {
            file.write(blocco);
            blocco.clear();
        }
    }
    file.write(blocco);
    return file.error() == QFileDevice::NoError;
}

bool scriviXlsx(const QString& percorso)
{
    ScriviXlsx::Opzioni opzioni;
    opzioni.grande = true;
    ScriviXlsx scrittore(percorso, opzioni);
    QByteArray blocco;
    for (int i = 0; i < numeroRighe; ++i) {
        const QByteArray r = QByteArray::number(i + 3);
        QByteArray celle;
        for (int c = 0; c < 22; ++c) {
            const QByteArray v = valore(i, c);
            if (v.isEmpty())
                continue;
            if (c == 10 || c >= 18) // numbers as numbers
                celle += ScriviXlsx::cella(ScriviXlsx::lettere(c) + r, "",
                                           QByteArray(v).replace(',', '.'));
            else
                celle += ScriviXlsx::testo(ScriviXlsx::lettere(c) + r, QString::fromLatin1(v));
        }
        blocco += ScriviXlsx::riga(i + 3, celle);
        if (blocco.size() > (1 << 20)) {
            if (!scrittore.scriviRighe(blocco))
                return false;
            blocco.clear();
        }
    }
    return scrittore.scriviRighe(blocco) && scrittore.chiudi();
}

// Reading the input and writing an output of the same size as the
// communication: what no implementation can beat. `sicura` writes it as the
// communication is written, aside and put in place once flushed to disk, so
// the ratio to it shows what the checks and records cost beyond the safe
// write.
double pavimento(const QString& ingresso, const QString& uscita, qint64 byteUscita,
                 bool sicura = false)
{
    QElapsedTimer tempo;
    tempo.start();
    QFile in(ingresso);
    QFile semplice(uscita);
    QSaveFile salvata(uscita);
    QFileDevice& out = sicura ? static_cast<QFileDevice&>(salvata) : semplice;
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return -1;
    QByteArray blocco(1 << 16, ' ');
    while (!in.atEnd())
        in.read(blocco.data(), blocco.size());
    for (qint64 scritti = 0; scritti < byteUscita; scritti += blocco.size())
        out.write(blocco.constData(), std::min<qint64>(blocco.size(), byteUscita - scritti));
    if (sicura)
        salvata.commit();
    else
        semplice.close();
    return static_cast<double>(tempo.nsecsElapsed()) / 1e9;
}

void misura(const char* nome, const Ambiente& ambiente, const QString& foglio,
            const QString& cartella)
{
    const double mb = static_cast<double>(QFileInfo(foglio).size()) / (1024.0 * 1024.0);
    RichiestaComunicazione richiesta;
    richiesta.agenzia.anno = QStringLiteral("2026");
    richiesta.agenzia.mese = QStringLiteral("03");
    richiesta.agenzia.codiceFiscale = QStringLiteral("01234567890");
    richiesta.agenzia.ragioneSociale = QStringLiteral("ROSSI CAMBI SRL");
    richiesta.foglio = foglio;
    richiesta.fileComunicazione = cartella + QStringLiteral("/COAM.TXT");
    richiesta.fileErrori = Cartelle::fileErroriImport(cartella);
    richiesta.fileAvvisi = Cartelle::fileAvvisiImport(cartella);
    for (int prova = 1; prova <= 2; ++prova) {
        MisureProcesso::azzeraPicco();
        QElapsedTimer tempo;
        tempo.start();
        const double cpu = MisureProcesso::secondiCpu();
        auto esito = LeggiFoglio(ambiente.db(), richiesta);
        const double secondi = static_cast<double>(tempo.nsecsElapsed()) / 1e9;
        const double secondiCpu = MisureProcesso::secondiCpu() - cpu;
        if (!esito) {
            std::printf("%s: Errore Lettura foglio: %s\n", nome, qPrintable(esito.errore()));
            return;
        }
        const QString picco = MisureProcesso::piccoMemoria();
        const qint64 byteUscita = QFileInfo(richiesta.fileComunicazione).size();
        const double base =
            pavimento(foglio, cartella + QStringLiteral("/pavimento.txt"), byteUscita);
        const double baseSicura =
            pavimento(foglio, cartella + QStringLiteral("/pavimento-sicuro.txt"), byteUscita, true);
        // Both clocks: on a shared machine the wall time also counts other programs.
        std::printf("%s, prova %d: %lld record B in %.2f s (CPU %.2f s) = %.0f righe/s (%.0f per s "
                    "di CPU), "
                    "%.1f MB/s (foglio %.1f MB, comunicazione %.1f MB, errori %s); pavimento %.2f "
                    "s, rapporto %.1fx; "
                    "pavimento con scrittura sicura %.2f s, rapporto %.1fx; picco memoria %s\n",
                    nome, prova, static_cast<long long>(esito->recordB), secondi, secondiCpu,
                    static_cast<double>(esito->recordB) / secondi,
                    static_cast<double>(esito->recordB) / secondiCpu, mb / secondi, mb,
                    static_cast<double>(byteUscita) / (1024.0 * 1024.0),
                    esito->erroriPresenti ? "si" : "no", base, secondi / base, baseSicura,
                    secondi / baseSicura, qPrintable(picco));
    }
}

} // namespace

// The same month through the command a script would run, as its own
// process: start-up, the agency's row, the whole road, the exit.
void misuraComando(const Ambiente& ambiente, const QString& foglio, const QString& cartella)
{
    const bool agenzia =
        ambiente.db()
            .inserisci(QStringLiteral("COPE"),
                       {{QStringLiteral("OCOD"), QStringLiteral("01234567890")},
                        {QStringLiteral("OCF"), QStringLiteral("01234567890")},
                        {QStringLiteral("ORAG"), QStringLiteral("ROSSI CAMBI SRL")},
                        {QStringLiteral("OSTP"), QStringLiteral("G")}})
            .ok();
    if (!agenzia) {
        std::printf("CLI: agenzia di prova non inserita\n");
        return;
    }
    for (int prova = 1; prova <= 2; ++prova) {
        QElapsedTimer tempo;
        tempo.start();
        QProcess comando;
        comando.start(QStringLiteral(ZEFIRANTE_CLI),
                      {QStringLiteral("--cartella"), cartella, QStringLiteral("comunicazione"),
                       QStringLiteral("--agenzia"), QStringLiteral("01234567890"),
                       QStringLiteral("--foglio"), foglio, QStringLiteral("--output"),
                       cartella + QStringLiteral("/COAM-CLI.TXT"), QStringLiteral("--anno"),
                       QStringLiteral("2026"), QStringLiteral("--mese"), QStringLiteral("03"),
                       QStringLiteral("--sovrascrivi")});
        if (!comando.waitForFinished(-1) || comando.exitStatus() != QProcess::NormalExit) {
            std::printf("CLI: %s\n", qPrintable(comando.errorString()));
            return;
        }
        const double secondi = static_cast<double>(tempo.nsecsElapsed()) / 1e9;
        const qint64 byteUscita = QFileInfo(cartella + QStringLiteral("/COAM-CLI.TXT")).size();
        // Its own floor file, new at the first pass and replaced at the
        // second, as the command's output is.
        const double base =
            pavimento(foglio, cartella + QStringLiteral("/pavimento-cli.txt"), byteUscita);
        std::printf("CLI %s, prova %d: uscita %d in %.2f s = %.0f righe/s; pavimento %.2f s, "
                    "rapporto %.1fx\n",
                    qPrintable(QFileInfo(foglio).suffix()), prova, comando.exitCode(), secondi,
                    numeroRighe / secondi, base, secondi / base);
    }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir cartella;
    QFile ini(cartella.filePath(QStringLiteral("configurazione.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[opzioni]\r\nPCDirF=PGM\r\n") < 0)
        return 1;
    ini.close();
    auto ambiente = Avvio(cartella.path(), cartella.path());
    if (!ambiente) {
        std::printf("Avvio: %s\n", qPrintable(ambiente.errore()));
        return 1;
    }
    const QString csv = cartella.filePath(QStringLiteral("operazioni.csv"));
    const QString xlsx = cartella.filePath(QStringLiteral("operazioni.xlsx"));
    // "csv" or "xlsx" as argument runs that sheet only ("tutti": both); a
    // third, the folder of bench_lettori, adds its LibreOffice months.
    const QString solo = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (argc > 2 && std::atoi(argv[2]) > 0)
        numeroRighe = std::atoi(argv[2]);
    if ((solo != QLatin1String("xlsx") && !scriviCsv(csv)) ||
        (solo != QLatin1String("csv") && !scriviXlsx(xlsx))) {
        std::printf("Impossibile scrivere i fogli di prova in %s\n", qPrintable(cartella.path()));
        return 1;
    }
    std::printf("Memoria dopo la preparazione: picco %s\n",
                qPrintable(MisureProcesso::piccoMemoria()));
    if (solo != QLatin1String("xlsx")) {
        misura("CSV", **ambiente, csv, cartella.path());
        misuraComando(**ambiente, csv, cartella.path());
    }
    if (solo != QLatin1String("csv"))
        misura("XLSX", **ambiente, xlsx, cartella.path());
    // The months bench_lettori had LibreOffice save, in the folder it was given.
    if (argc > 3) {
        const QDir fogli(QString::fromLocal8Bit(argv[3]));
        const QString xlsxLibreOffice = fogli.filePath(QStringLiteral("libreoffice.xlsx"));
        const QString xlsLibreOffice = fogli.filePath(QStringLiteral("libreoffice-65536.xls"));
        if (QFileInfo::exists(xlsxLibreOffice)) {
            misura("XLSX salvato da LibreOffice", **ambiente, xlsxLibreOffice, cartella.path());
            std::printf("    solo inflazione dello stesso file: %.2f s, poi %.2f s\n",
                        pavimentoInflazione(xlsxLibreOffice), pavimentoInflazione(xlsxLibreOffice));
        }
        if (QFileInfo::exists(xlsLibreOffice))
            misura("XLS salvato da LibreOffice", **ambiente, xlsLibreOffice, cartella.path());
    }
    return 0;
}
