#include "cli/Argomenti.h"

Opzione Opzione::conValore(const QString& nome, const QString& valore, const QString& spiegazione)
{
    return {QCommandLineOption(nome, spiegazione, valore),
            QStringLiteral("--") + nome + QLatin1Char(' ') + valore};
}

Opzione Opzione::interruttore(const QStringList& nomi, const QString& spiegazione)
{
    return {QCommandLineOption(nomi, spiegazione), QStringLiteral("--") + nomi.first()};
}

Argomenti::Argomenti(const QList<Opzione>& opzioni, const QStringList& argomenti, Fine fine)
{
    for (const Opzione& opzione : opzioni)
        m_opzioni.append(opzione.definizione);
    m_parser.addOptions(m_opzioni);
    if (fine == Fine::PrimoPosizionale)
        m_parser.setOptionsAfterPositionalArgumentsMode(
            QCommandLineParser::ParseAsPositionalArguments);
    // The parser's verdict and English error text are not used: reading the
    // options it found back against the arguments finds the first one that is
    // not "--nome [valore]" as written, where the program has always stopped.
    m_parser.parse(QStringList{QStringLiteral("zefirante-cli")} + argomenti);

    qsizetype i = 0;
    for (const QString& nome : m_parser.optionNames()) {
        const QString scritta =
            (nome.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nome;
        if (i == argomenti.size() || argomenti[i] != scritta)
            break;
        const qsizetype opzione = indice(nome);
        if (!m_opzioni[opzione].valueName().isEmpty()) {
            // Written apart from its name, the value is the next argument.
            if (volte(opzione) == m_parser.values(nome).size()) {
                m_mancaValore = true;
                break;
            }
            ++i;
        }
        m_lette.append(opzione);
        ++i;
    }
    m_resto = argomenti.mid(i);
}

QStringList Argomenti::lette() const
{
    QStringList nomi;
    for (const qsizetype opzione : m_lette)
        nomi.append(m_opzioni[opzione].names().first());
    return nomi;
}

bool Argomenti::ha(const QString& nome) const
{
    const qsizetype opzione = indice(nome);
    return opzione >= 0 && volte(opzione) > 0;
}

QString Argomenti::valore(const QString& nome) const
{
    const qsizetype opzione = indice(nome);
    const qsizetype n = opzione < 0 ? 0 : volte(opzione);
    return n == 0 ? QString() : m_parser.values(nome).value(n - 1);
}

EsitoVuoto Argomenti::soloOpzioni(const QStringList& obbligatorie) const
{
    if (m_mancaValore)
        return Errore{QStringLiteral("Manca il valore dopo ") + m_resto.first() + QLatin1Char('.')};
    if (!m_resto.isEmpty())
        return Errore{QStringLiteral("Argomento non previsto: ") + m_resto.first()};
    for (const QString& nome : obbligatorie) {
        if (!ha(nome))
            return Errore{QStringLiteral("Manca l'opzione --") + nome + QLatin1Char('.')};
    }
    return {};
}

qsizetype Argomenti::indice(const QString& nome) const
{
    for (qsizetype i = 0; i < m_opzioni.size(); ++i) {
        if (m_opzioni[i].names().contains(nome))
            return i;
    }
    return -1;
}

qsizetype Argomenti::volte(qsizetype opzione) const
{
    return m_lette.count(opzione);
}
