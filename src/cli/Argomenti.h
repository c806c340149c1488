#pragma once

#include "base/Esito.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>

// One option of zefirante-cli: always "--nome", with its value, when it takes
// one, in the next argument (a value may begin with "-" or hold "=").
struct Opzione
{
    QCommandLineOption definizione; // names, value name and meaning, for the parser
    QString etichetta;              // as the help names it: "--agenzia CF", "--sovrascrivi"

    // "--nome VALORE", named so in the help.
    static Opzione conValore(const QString& nome, const QString& valore,
                             const QString& spiegazione);
    // "--nome" without a value; any further names are accepted alike.
    static Opzione interruttore(const QStringList& nomi, const QString& spiegazione);
};

// Arguments read by QCommandLineParser against a set of options, in the
// strict form the program has always taken: "--nome" exactly as declared,
// its value in the next argument. Reading stops at the first argument not
// written so (an unknown option, a positional argument, "--nome=valore",
// "-n"): that argument and those after it are the rest, left to the caller.
class Argomenti
{
public:
    enum class Fine
    {
        Comando,         // a command's arguments: options only, the rest is a fault
        PrimoPosizionale // the program's own: the first positional argument (the command) and
                         // everything after it are the rest, unread
    };

    Argomenti(const QList<Opzione>& opzioni, const QStringList& argomenti,
              Fine fine = Fine::Comando);
    Argomenti(const Argomenti&) = delete;
    Argomenti& operator=(const Argomenti&) = delete;

    // The options read, each by its first name, in the order given.
    QStringList lette() const;
    bool ha(const QString& nome) const;
    // The value of the last time the option was read; empty when it was not.
    QString valore(const QString& nome) const;
    bool aiuto() const { return ha(QStringLiteral("help")); }

    // From the first argument not read to the end.
    const QStringList& resto() const { return m_resto; }
    // The rest is a single option that takes a value, given last without it.
    bool mancaValore() const { return m_mancaValore; }

    // For a command that takes options only: why the arguments were not all
    // read ("Argomento non previsto: X", "Manca il valore dopo X."), else the
    // first of the options `obbligatorie` not given ("Manca l'opzione --X.").
    EsitoVuoto soloOpzioni(const QStringList& obbligatorie = {}) const;

private:
    qsizetype indice(const QString& nome) const;
    qsizetype volte(qsizetype opzione) const;

    QList<QCommandLineOption> m_opzioni;
    QCommandLineParser m_parser;
    QList<qsizetype> m_lette; // each option read, by its position in m_opzioni
    QStringList m_resto;
    bool m_mancaValore = false;
};
