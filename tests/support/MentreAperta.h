#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// A modal window blocks the test in its exec(): what the user does in it is
// queued before it opens and runs once it is up. A watchdog closes a window
// still open after five seconds, so a failing step cannot hang the test.
class MentreAperta
{
public:
    explicit MentreAperta(std::function<void(QDialog*)> azione)
    {
        QTimer::singleShot(0, [azione, this] {
            auto* finestra = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!finestra) {
                ADD_FAILURE() << "nessuna finestra modale aperta";
                return;
            }
            m_aperta = true;
            azione(finestra);
        });
        m_guardia.setSingleShot(true);
        QObject::connect(&m_guardia, &QTimer::timeout, [] {
            if (auto* rimasta = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "la finestra modale è rimasta aperta";
                rimasta->close();
            }
        });
        m_guardia.start(5000);
    }

    bool aperta() const { return m_aperta; }

private:
    QTimer m_guardia;
    bool m_aperta = false;
};
