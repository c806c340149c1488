#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QMdiArea;
class QToolBar;
class FINI;
class FOPC;
struct Ambiente;

// The main window: menus, the toolbar TB2, the exit question, and the frame in
// which the agency window works for the whole run.
class FA : public QMainWindow
{
    Q_OBJECT

public:
    explicit FA(Ambiente& ambiente, QWidget* padre = nullptr);
    ~FA() override;

    // Shows the welcome window; "Entra" there calls Entra().
    void mostraBenvenuto();
    // Unlocks the toolbar's agency buttons and opens the agency window.
    void Entra();
    // Enables toolbar buttons 1 to 2 (ADD and ELI).
    void ImpostaTB2();
    // Closes the agency window, if open, and opens it again so it reads the database afresh.
    void riapriAgenzie();

    FOPC* agenzie() const;
    FINI* benvenuto() const;

    // The window that shows the backup/restore for the current ModoSalva.
    // Set by the program; empty until that window exists.
    std::function<void(QWidget*)> mostraSalvataggio;
    std::function<void(QWidget*)> mostraStampa;

private:
    void creaMenu();
    void creaBarra();
    QAction* voce(QMenu* menu, const char* nome, const QString& didascalia);
    void apriAiuto(const QString& relativo);
    void salva();
    void ripristina();
    void esci();
    void assistenzaRemota();
    void versione();
    void aggiungi();
    void elimina();
    void scadenze();
    void apriAgenzia(const QString& codice, int anno, int mese);

    Ambiente& m_ambiente;
    QMdiArea* m_area = nullptr;
    QToolBar* m_tb2 = nullptr;
    QPointer<FOPC> m_fopc;
    QPointer<FINI> m_fini;
};
