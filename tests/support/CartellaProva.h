#pragma once

#include "shell/Ambiente.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A temporary application folder for one test. Its configurazione.ini puts
// the shared system files inside it too (PCDirF=PGM), so tests never touch
// the user's folders and never see each other's files.
class CartellaProva
{
public:
    CartellaProva();
    explicit CartellaProva(const QByteArray& configurazione);

    QString percorso() const { return m_cartella.path(); }
    QString file(const QString& nome) const;
    void scrivi(const QString& nome, const QByteArray& contenuto) const;
    QByteArray leggi(const QString& nome) const;

    // Starts the program's core on this folder; fails the test on error.
    std::unique_ptr<Ambiente> avvia() const;

    // A path inside the read-only fixtures of tests/data.
    static QString dati(const QString& nome);

private:
    QTemporaryDir m_cartella;
};
