#pragma once

#include <QDate>
#include <QString>

// One agency (a row of COPE) as the agency window edits it: every value is
// text, in the form the user typed it or the database holds it.
struct Agenzia
{
    QString ocod; // the codice fiscale registered with OAM: the agency's key
    QString ocf;  // mirror of ocod (hidden field)
    QString opiva;
    QString orag; // company name; for a person, surname + " " + first name
    QString ostp; // "F" natural person, "G" any other subject
    // Company offices.
    QString oscom, ospro;   // registered office
    QString osocom, osopro; // permanent establishment
    // Natural person.
    QString ocog, onome, osex, ondt, oncom, onpro, ocittad;
    QString odcom, odpro; // domicile in Italy

    bool personaFisica() const { return ostp == QLatin1String("F"); }

    // The name other windows and file names use (nomeVisualizzato below).
    QString nomeVisualizzato() const;
};

// An agency's name as the windows, the lists and the file names show it: the
// company name, or surname and first name joined without a blank.
QString nomeVisualizzato(const QString& ragioneSociale, const QString& cognome,
                         const QString& nome);

// The period a new communication proposes: the month before today's.
struct Periodo
{
    QString anno; // four digits
    QString mese; // two digits
};
Periodo periodoPredefinito(const QDate& oggi);
