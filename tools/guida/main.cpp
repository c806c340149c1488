#include "backup/ui/FSalva.h"
#include "common/ui/DialoghiFile.h"
#include "common/ui/TraduzioneQt.h"
#include "communication/CreaVuota.h"
#include "communication/DatiAgenzia.h"
#include "communication/LeggiFoglio.h"
#include "communication/ui/FCsv.h"
#include "history/StoricoInvii.h"
#include "history/ui/FScadenze.h"
#include "printing/ui/FSTAMPA.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/ui/FOPC.h"
#include "shell/Avvio.h"
#include "shell/ui/FA.h"
#include "shell/ui/FINI.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPdfWriter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextStream>
#include <QThread>
#include <QUrl>

// Renders the user guide to PDF with pictures of the program's own windows,
// taken here from a temporary application folder holding an example agency,
// so the pictures always show the windows as they are built today.
//
//   zefirante-guida <guida.html> <ZEFIRANTE_ISTRUZIONI.pdf>
//
// The HTML names each picture as "schermate/<window>.png".

namespace {

void attendi()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

Agenzia agenziaEsempio()
{
    Agenzia a;
    a.ocod = QStringLiteral("01234567897");
    a.ocf = a.ocod;
    a.opiva = QStringLiteral("01234567897");
    a.orag = QStringLiteral("CAMBI CENTRO SRL");
    a.ostp = QStringLiteral("G");
    a.oscom = QStringLiteral("ROMA");
    a.ospro = QStringLiteral("RM");
    return a;
}

// Answers every file dialog with one path, without showing it: the save
// window asks where the archive goes before it opens.
class DialogoRisposto final : public DialoghiFile::Schermo
{
public:
    explicit DialogoRisposto(QString percorso)
        : m_percorso(std::move(percorso)), m_precedente(DialoghiFile::sostituisci(this))
    {
    }
    ~DialogoRisposto() override { DialoghiFile::sostituisci(m_precedente); }
    DialogoRisposto(const DialogoRisposto&) = delete;
    DialogoRisposto& operator=(const DialogoRisposto&) = delete;

    QString presenta(QWidget*, const DialoghiFile::Richiesta&) override { return m_percorso; }

private:
    QString m_percorso;
    DialoghiFile::Schermo* m_precedente;
};

// The last four months of the example agency written for real, so the month
// strip and the deadlines show their states: from the example sheet, empty,
// from the sheet with mistakes, and the month just closed from the example
// sheet again.
EsitoVuoto mesiEsempio(const Ambiente& ambiente, const QString& cartella)
{
    const Agenzia agenzia = agenziaEsempio();
    auto dati = LeggiAgenzia(ambiente.db(), agenzia.ocod);
    if (!dati)
        return Errore{dati.errore()};
    const QDir help(QDir(cartella).filePath(QStringLiteral("Help")));
    const QStringList fogli{QStringLiteral("ESEMPIO_MESE.xlsx"), QString(),
                            QStringLiteral("ESEMPIO_ERRORI.xlsx"),
                            QStringLiteral("ESEMPIO_MESE.xlsx")};
    for (int i = 0; i < fogli.size(); ++i) {
        const QDate mese = QDate::currentDate().addMonths(i - static_cast<int>(fogli.size()));
        dati.valore().anno = QString::number(mese.year());
        dati.valore().mese = QStringLiteral("%1").arg(mese.month(), 2, 10, QLatin1Char('0'));
        const QString file = QDir(cartella).filePath(QStringLiteral("COAM_%1.TXT").arg(i));
        StoricoInvii::Invio invio;
        invio.agenzia = agenzia.ocod;
        invio.anno = mese.year();
        invio.mese = mese.month();
        invio.percorso = file;
        if (fogli[i].isEmpty()) {
            invio.tipo = StoricoInvii::Tipo::vuota;
            if (auto scritta = CreaVuota(*dati, file); !scritta)
                return scritta;
        } else {
            RichiestaComunicazione richiesta;
            richiesta.agenzia = *dati;
            richiesta.foglio = help.filePath(fogli[i]);
            richiesta.fileComunicazione = file;
            richiesta.fileErrori = QDir(cartella).filePath(QStringLiteral("ERRORE_IMPORT.TXT"));
            auto esito = LeggiFoglio(ambiente.db(), richiesta);
            if (!esito)
                return Errore{esito.errore()};
            invio.recordB = esito->recordB;
            invio.righeErrori = esito->righeErrori;
        }
        if (auto registrato = StoricoInvii::registra(ambiente.db(), invio); !registrato)
            return registrato;
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The pictures show the windows as the program shows them: Qt's own texts in Italian.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const TraduzioneQt traduzione;
    QTextStream err(stderr);
    const QStringList argomenti = QApplication::arguments();
    if (argomenti.size() != 3) {
        err << "Uso: zefirante-guida <guida.html> <guida.pdf>\n";
        return 2;
    }
    QFile sorgente(argomenti[1]);
    if (!sorgente.open(QIODevice::ReadOnly)) {
        err << "Impossibile leggere " << argomenti[1] << '\n';
        return 1;
    }
    const QString html = QString::fromUtf8(sorgente.readAll());

    QTemporaryDir cartella;
    QFile ini(QDir(cartella.path()).filePath(QStringLiteral("configurazione.ini")));
    if (!cartella.isValid() || !ini.open(QIODevice::WriteOnly) ||
        ini.write("[opzioni]\r\nPCDirF=PGM\r\n") < 0) {
        err << "Impossibile preparare una cartella temporanea\n";
        return 1;
    }
    ini.close();
    auto avviato = Avvio(cartella.path(), QDir(cartella.path()).filePath(QStringLiteral("bin")));
    if (!avviato) {
        err << avviato.errore() << '\n';
        return 1;
    }
    Ambiente& ambiente = *avviato.valore();
    if (auto salvata = ArchivioAgenzie::salva(ambiente.db(), agenziaEsempio()); !salvata) {
        err << salvata.errore() << '\n';
        return 1;
    }

    if (auto mesi = mesiEsempio(ambiente, cartella.path()); !mesi) {
        err << mesi.errore() << '\n';
        return 1;
    }

    QTextDocument documento;
    auto schermata = [&documento](const char* nome, QWidget* finestra) {
        attendi();
        documento.addResource(QTextDocument::ImageResource,
                              QUrl(QStringLiteral("schermate/%1.png").arg(QLatin1String(nome))),
                              finestra->grab().toImage());
    };

    FA principale(ambiente);
    principale.resize(1180, 820);
    principale.show();
    principale.mostraBenvenuto();
    schermata("FINI", principale.benvenuto());
    principale.Entra();
    schermata("FA", &principale);
    schermata("FOPC", principale.agenzie());

    FCsv csv(QStringLiteral("C:\\Operazioni\\novembre.csv"), ambiente.separatoreCsv,
             ambiente.primaRigaCsv);
    csv.show();
    schermata("FCsv", &csv);
    csv.close();

    FSTAMPA stampa(ambiente);
    stampa.show();
    schermata("FSTAMPA", &stampa);
    stampa.close();

    {
        DialogoRisposto dialoghi(
            QDir(cartella.path()).filePath(QStringLiteral("CAMBI_CENTRO.ZFOAM")));
        ambiente.modoSalva = QStringLiteral("S");
        FSalva salva(ambiente);
        if (salva.prepara()) {
            salva.show();
            schermata("FSalva", &salva);
            salva.close();
        }
    }

    FScadenze scadenze(ambiente.db());
    scadenze.resize(900, 260);
    scadenze.show();
    schermata("FScadenze", &scadenze);
    scadenze.close();

    documento.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    documento.setHtml(html);
    QPdfWriter pdf(argomenti[2]);
    pdf.setTitle(QStringLiteral("ZEFIRANTE - Istruzioni"));
    pdf.setCreator(QStringLiteral("ZEFIRANTE"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
    documento.print(&pdf);
    return 0;
}
