#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The reference lists the lookup window shows, by kind:
//  "COMUN"   municipalities (name, province, bank code);
//  "COMUNCF" municipalities of birth with their cadastral code;
//  "TSTA"    foreign states;
//  "ANAGRA", "ANARES1", "ANARES2" the current agency's customers: not
//            resident; resident without, and with, a VAT number.
struct Ricerca
{
    QString SqlLista;
    QString titolo;
};

// The query and title of a kind; nothing for an unknown kind. The customer
// lists need the current agency's code.
std::optional<Ricerca> DefinisciRicerca(const QString& tipo, const QString& codiceAgenzia);

// The two column captions whose values a pick hands back, chosen by the
// list's title: "Codice" and "Descrizione" unless the title says otherwise.
QStringList ColonneDaRestituire(const QString& titolo);
