#pragma once

#include <QTranslator>

// Qt's own texts in Italian (the file and print dialogs, the fields' context
// menus, the standard buttons) for as long as this object lives. The
// translation travels inside the program; create this object right after the
// application, before any window.
class TraduzioneQt
{
public:
    TraduzioneQt();
    ~TraduzioneQt();
    TraduzioneQt(const TraduzioneQt&) = delete;
    TraduzioneQt& operator=(const TraduzioneQt&) = delete;

    bool caricata() const { return m_caricata; }

private:
    QTranslator m_traduttore;
    bool m_caricata = false;
};
