#include "common/ui/TraduzioneQt.h"

#include <QCoreApplication>

TraduzioneQt::TraduzioneQt()
{
    m_caricata = m_traduttore.load(QStringLiteral(":/traduzioni/qtbase_it.qm")) &&
                 QCoreApplication::installTranslator(&m_traduttore);
}

TraduzioneQt::~TraduzioneQt()
{
    if (m_caricata)
        QCoreApplication::removeTranslator(&m_traduttore);
}
