// Reading speed and memory of the sheet readers: writes a 500,000-row month
// as CSV and as .xlsx, and, when LibreOffice (soffice) is installed, has it
// re-save the .xlsx (its own writer: shared strings, other attributes) and
// save a 65,536-row month as Excel 97-2003 .xls. Each is read twice,
// printing rows/s, MB/s and peak memory; an .xlsx also against its inflate
// floor: the time to inflate its sheet and shared strings alone, measured
// in the same run. The files stay in the folder given as argument (and are
// reused from there: LibreOffice needs minutes for 500,000 rows), else in a
// temporary one.
#include "MisureProcesso.h"
#include "PavimentoXlsx.h"
#include "communication/FoglioOperazioni.h"
#include "xlsx/ScriviXlsx.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kRighe = 500000;
constexpr int kRigheXls = 65536 - 2; // the format's last row, after the two headings

const char* const kCognomi[] = {"ROSSI", "BIANCHI", "ESPÓSITO", "COLOMBO",
                                "RICCI", "MARINO",  "GRECO",    "BRUNO"};
const char* const kNomi[] = {"MARIO", "ANNA",   "NICOLÒ", "GIULIA",
                             "LUCA",  "CHIARA", "MATTEO", "SARA"};

bool scriviCsv(const QString& percorso, int righe)
{
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("COGNOME;NOME;SESSO;CF;NASCITA;LUOGO;PR;PAESE;COD;TD;NUMDOC;SCAD;AUTORITA;RILASCIO;"
               "DATA;LUOGO OP;TIPO;DIVISA;IMP1;IMP2;IMP3;ID\r\n\r\n");
    QByteArray blocco;
    for (int i = 0; i < righe; ++i) {
        blocco += QByteArray(kCognomi[i % 8]) + ";" + kNomi[i % 7 % 8] +
                  ";M;RSSMRA80E12H501U;12/05/1980;ROMA;RM;ITALIA;086;01;AX" +
                  QByteArray::number(1000000 + i) + ";31/12/2030;COMUNE;ROMA;" +
                  QByteArray::number(i % 28 + 1) + "/03/2026;MILANO;A;USD;" +
                  QByteArray::number(100 + i % 9000) + ",50;" + QByteArray::number(92 + i % 8000) +
                  ",10;0;" + QByteArray::number(i) + "\r\n";
        if (blocco.size() > (1 << 20)) {
            file.write(blocco);
            blocco.clear();
        }
    }
    file.write(blocco);
    return file.error() == QFileDevice::NoError;
}

bool scriviXlsx(const QString& percorso, int righe)
{
    // Excel keeps every text of a sheet in the shared table and refers to it
    // by number; the rows below do the same.
    OpzioniXlsx opzioni;
    QHash<QString, int> indici;
    const auto testo = [&](const QString& t) {
        auto trovato = indici.constFind(t);
        if (trovato != indici.cend())
            return QByteArray::number(*trovato);
        indici.insert(t, static_cast<int>(opzioni.testiCondivisi.size()));
        opzioni.testiCondivisi << t;
        return QByteArray::number(opzioni.testiCondivisi.size() - 1);
    };
    for (const char* c : kCognomi)
        testo(QString::fromUtf8(c));
    for (const char* n : kNomi)
        testo(QString::fromUtf8(n));
    for (const char* t : {"M", "RSSMRA80E12H501U", "ROMA", "RM", "ITALIA", "086", "01", "COMUNE",
                          "MILANO", "A", "USD"})
        testo(QString::fromLatin1(t));

    opzioni.grande = true;
    ScriviXlsx scrittore(percorso, opzioni);
    scrittore.scriviRighe(ScriviXlsx::riga(1, ScriviXlsx::testo("A1", QStringLiteral("COGNOME"))));
    QByteArray blocco;
    for (int i = 0; i < righe; ++i) {
        const QByteArray r = QByteArray::number(i + 3);
        const auto c = [&](const char* colonna) { return QByteArray(colonna) + r; };
        const auto s = [&](const char* colonna, const char* t) {
            return ScriviXlsx::cella(c(colonna), "s", testo(QString::fromUtf8(t)));
        };
        QByteArray celle =
            ScriviXlsx::cella(c("A"), "s", QByteArray::number(i % 8)) +
            ScriviXlsx::cella(c("B"), "s", QByteArray::number(8 + i % 7)) + s("C", "M") +
            s("D", "RSSMRA80E12H501U") +
            ScriviXlsx::cella(c("E"), "", "29353", ScriviXlsx::Data14) + s("F", "ROMA") +
            s("G", "RM") + s("H", "ITALIA") + s("I", "086") + s("J", "01") +
            ScriviXlsx::cella(c("K"), "", QByteArray::number(1000000 + i)) +
            ScriviXlsx::cella(c("L"), "", "47848", ScriviXlsx::DataPersonale) + s("M", "COMUNE") +
            s("N", "ROMA") +
            ScriviXlsx::cella(c("O"), "", QByteArray::number(46082 + i % 28), ScriviXlsx::Data14) +
            s("P", "MILANO") + s("Q", "A") + s("R", "USD") +
            ScriviXlsx::cella(c("S"), "", QByteArray::number(100 + i % 9000) + ".5",
                              ScriviXlsx::Migliaia) +
            ScriviXlsx::cella(c("T"), "", QByteArray::number(92 + i % 8000) + ".1") +
            ScriviXlsx::cella(c("U"), "", "0") +
            ScriviXlsx::cella(c("V"), "", QByteArray::number(i));
        blocco += ScriviXlsx::riga(i + 3, celle);
        if (blocco.size() > (1 << 20)) {
            if (!scrittore.scriviRighe(blocco))
                return false;
            blocco.clear();
        }
    }
    return scrittore.scriviRighe(blocco) && scrittore.chiudi();
}

void misura(const char* nome, const QString& percorso, bool csv, bool pavimento = false)
{
    const double mb = static_cast<double>(QFileInfo(percorso).size()) / (1024.0 * 1024.0);
    for (int prova = 1; prova <= 2; ++prova) {
        const double floor = pavimento ? pavimentoInflazione(percorso) : 0;
        MisureProcesso::azzeraPicco();
        QElapsedTimer tempo;
        tempo.start();
        const double cpu = MisureProcesso::secondiCpu();
        auto lettore =
            csv ? apriFoglioCsv(percorso, FoglioOperazioni::impostazioniCsv(QStringLiteral(";"), 3))
                : apriFoglioExcel(percorso, FoglioOperazioni::regoleExcel());
        if (!lettore) {
            std::printf("%s: %s\n", nome, qPrintable(lettore.errore()));
            return;
        }
        RigaFoglio riga;
        int righe = 0;
        qsizetype caratteri = 0;
        for (;;) {
            auto esito = lettore.valore()->leggi(riga);
            if (!esito) {
                std::printf("%s: %s\n", nome, qPrintable(esito.errore()));
                return;
            }
            if (!*esito)
                break;
            ++righe;
            caratteri += riga.valori[21].size();
        }
        const double secondi = static_cast<double>(tempo.nsecsElapsed()) / 1e9;
        const double secondiCpu = MisureProcesso::secondiCpu() - cpu;
        // Both clocks: on a shared machine the wall time also counts other programs.
        std::printf("%s, prova %d: %d righe in %.2f s (CPU %.2f s) = %.0f righe/s (%.0f per s di "
                    "CPU), %.1f MB/s "
                    "(file %.1f MB), picco memoria %s%s\n",
                    nome, prova, righe, secondi, secondiCpu, righe / secondi, righe / secondiCpu,
                    mb / secondi, mb, qPrintable(MisureProcesso::piccoMemoria()),
                    caratteri > 0 ? "" : " (valori vuoti?)");
        if (floor > 0)
            std::printf("    solo inflazione: %.2f s; lettura / inflazione = %.2f\n", floor,
                        secondi / floor);
    }
}

// LibreOffice's own save of `sorgente` in `formato` ("xls", "xlsx"), into
// `cartella` under `nome`; reused when already there.
QString salvaConLibreOffice(const QString& sorgente, const char* formato, const QString& cartella,
                            const QString& nome)
{
    const QString destinazione = QDir(cartella).filePath(nome);
    if (QFileInfo::exists(destinazione))
        return destinazione;
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return {};
    QTemporaryDir uscita;
    QElapsedTimer tempo;
    tempo.start();
    QProcess processo;
    processo.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                             QString::fromLatin1(formato), QStringLiteral("--outdir"),
                             uscita.path(), sorgente});
    if (!processo.waitForFinished(30 * 60 * 1000))
        return {};
    const QString scritto =
        QDir(uscita.path()).filePath(QFileInfo(sorgente).completeBaseName() + '.' + formato);
    if (!QFile::rename(scritto, destinazione))
        return {};
    std::printf("LibreOffice ha salvato %s in %.0f s\n", qPrintable(nome),
                static_cast<double>(tempo.elapsed()) / 1000);
    return destinazione;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporanea;
    const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporanea.path();
    QDir().mkpath(cartella);
    const auto file = [&](const char* nome) {
        return QDir(cartella).filePath(QLatin1String(nome));
    };
    const auto prepara = [&](const char* nome, auto scrivi, int righe) {
        return QFileInfo::exists(file(nome)) || scrivi(file(nome), righe);
    };
    if (!prepara("operazioni.csv", scriviCsv, kRighe) ||
        !prepara("operazioni.xlsx", scriviXlsx, kRighe) ||
        !prepara("operazioni-65536.xlsx", scriviXlsx, kRigheXls)) {
        std::printf("Impossibile scrivere i fogli di prova in %s\n", qPrintable(cartella));
        return 1;
    }
    const QString xlsxLibreOffice = salvaConLibreOffice(file("operazioni.xlsx"), "xlsx", cartella,
                                                        QStringLiteral("libreoffice.xlsx"));
    const QString xlsLibreOffice = salvaConLibreOffice(
        file("operazioni-65536.xlsx"), "xls", cartella, QStringLiteral("libreoffice-65536.xls"));
    std::printf("Memoria dopo la preparazione: picco %s\n",
                qPrintable(MisureProcesso::piccoMemoria()));
    misura("CSV", file("operazioni.csv"), true);
    misura("XLSX", file("operazioni.xlsx"), false, true);
    if (xlsxLibreOffice.isEmpty() || xlsLibreOffice.isEmpty()) {
        std::printf("soffice non trovato (pacchetto libreoffice-calc-nogui): niente fogli "
                    "salvati da LibreOffice\n");
        return 0;
    }
    misura("XLSX salvato da LibreOffice", xlsxLibreOffice, false, true);
    misura("XLS salvato da LibreOffice", xlsLibreOffice, false);
    return 0;
}
