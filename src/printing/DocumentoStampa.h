#pragma once

#include "printing/CodiceStampa.h"
#include "printing/ModelloStampa.h"
#include "printing/SeguitoStampa.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QSqlQuery;

// A list ready to print: the template, its texts with the parameters put in,
// and every row already formatted the Italian way. It draws itself on any
// paged device (the PDF writer, a printer, the preview) and can be drawn
// again as often as a preview repaints, without going back to the database.
class DocumentoStampa
{
public:
    DocumentoStampa(ModelloStampa modello, const QHash<QString, QString>& parametri,
                    QDate dataStampa);

    // Takes every row of the query. A template column naming a field that the
    // query does not return is an error, so an edited template with a typing
    // mistake says which field instead of printing an empty column.
    EsitoVuoto leggi(QSqlQuery& query, const SeguitoStampa& seguito = {});

    const ModelloStampa& modello() const { return m_modello; }
    const QString& titolo() const { return m_titolo; }
    const QString& sottotitolo() const { return m_sottotitolo; }
    int righe() const { return static_cast<int>(m_righe.size()); }
    const QStringList& riga(int i) const { return m_righe.at(static_cast<size_t>(i)); }
    // The sum of a column with a total, formatted; empty for the others.
    QString totale(int colonna) const;

    // How many pages the list takes on this device, as it is laid out now.
    Esito<int> pagine(QPagedPaintDevice& dispositivo) const;
    // Draws every page; returns how many. Stopped half-way, the device has
    // its painting ended and holds part of the list: the caller discards it.
    Esito<int> disegna(QPagedPaintDevice& dispositivo, const SeguitoStampa& seguito = {}) const;

private:
    QString conParametri(const QString& testo) const;

    ModelloStampa m_modello;
    QHash<QString, QString> m_parametri; // names upper-cased
    QDate m_dataStampa;
    QString m_titolo;
    QString m_sottotitolo;
    QString m_piede;
    std::vector<QStringList> m_righe;
    std::vector<long double> m_somme;
};
