#pragma once

#include "platform/db/field_def.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace tmpl {

// One row the template carries: values by column name. Columns not named stay Null, except the
// sort key (below) and the counter, which the database assigns.
using TemplateRow = QList<QPair<QString, QVariant>>;

// One table of the template file: its definition and the rows it holds when installed.
struct TemplateTable
{
    db::TableDef def;
    // Name column whose sort key goes into the row's `matt`; empty for tables without `matt`.
    QString sortKeySource;
    QList<TemplateRow> rows; // inserted in this order, so the counters come out the same each time
};

// Every table of the template file vemogoc.mdb, in the order the builder creates them:
// the four year-table templates (cvdenmau, cvdimau, kehoachmau, lichmau), the print tables
// (incvden, incvdi, inlich: the columns of cvdenmau, cvdimau and lichmau in the same order, so
// that "INSERT INTO incvden Select * from ..." fills them), and the reference tables (donvi,
// bophan, noigui, loaicv, chutat, tendonvi with its one row, nguoidung empty so that the first
// start logs in as administrator), and tepdinhkem, the files attached to letters.
QList<TemplateTable> templateTables();

} // namespace tmpl
