#pragma once

#include <QString>
#include <QStringView>

// The program writes its statements in the Jet dialect of the original
// database (date literals between "#", aliases in brackets, LIKE with "%").
// This turns one into what SQLite accepts with the same meaning:
//  - #yyyy/mm/dd# and #mm/dd/yyyy# become 'yyyy-mm-dd', the form dates are
//    stored in, so comparisons keep their order;
//  - brackets, LIKE and the rest already mean the same in SQLite.
// Text inside quotes is never touched. A literal that is not a real date is
// left as it stands, so the engine refuses the statement.
QString adattaSql(QStringView jet);
