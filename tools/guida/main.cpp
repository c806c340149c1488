#include "backup/ui/FSalva.h"
#include "common/ui/DialoghiFile.h"
#include "common/ui/TraduzioneQt.h"
#include "communication/ui/FCsv.h"
#include "printing/ui/FSTAMPA.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/ui/FOPC.h"
#include "shell/Avvio.h"
#include "shell/ui/FA.h"
#include "shell/ui/FINI.h"

#include <QApplication>
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
