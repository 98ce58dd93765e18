#pragma once

// The pop-up pick grids of the entry and search forms: F5 in a name box shows its grid over the
// form; a double-click on a row puts the row's first column into the box (after ", " when the
// box already holds something, so several names can be collected); the grid hides when it loses
// the focus, and Esc sends the focus back to the box.

#include "platform/db/database.h"
#include "platform/ui/data_control.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QRect>
#include <QString>
#include <functional>

namespace ui {
class FormBase;
}

namespace registers {

// A grid column: caption and field.
using GridColumn = QPair<QString, QString>;

// One pick grid of a form.
struct PickList
{
    QString grid;                      // "DBGriddv_nhan"
    ui::TextBox* box = nullptr;        // the box it fills: mdv_nhan
    QString dataControl;               // the data control the grid shows: "Datadonvi"
    QRect twips;                       // left, top, width, height in twips
    QWidget* focusAfterPick = nullptr; // gets the focus after a pick; none keeps the grid open
    bool backToBoxOnLeave = false;     // the box gets the focus back when the grid is left
};

class PickGrids : public QObject
{
    Q_OBJECT

public:
    explicit PickGrids(ui::FormBase* form);

    // Adds a grid (a hidden child of the form, placed at the given twips) and its data control.
    ui::Grid* add(const PickList& list);
    // Points the grid's data control at sql on db and shows columns; the grid's accessible name is
    // its first column's caption. Errors of the data control are recorded, not shown.
    void setSource(const QString& grid, const db::Database& db, const QString& sql, const QList<GridColumn>& columns);

    // Shows and focuses the grid of box; false when box has none.
    bool showFor(const QWidget* box);
    // The box of the grid that is visible, nullptr when none is.
    ui::TextBox* visibleBox() const;
    ui::Grid* grid(const QString& name) const;
    ui::DataControl* dataControl(const QString& grid) const;

    // Puts the current row of grid into its box as a double-click does (tests and keyboard).
    void pick(const QString& grid);

private:
    struct Entry
    {
        PickList list;
        ui::Grid* grid;
        ui::DataControl* data;
    };
    const Entry* find(const QString& grid) const;
    void place(const Entry& e) const;

    ui::FormBase* m_form;
    QList<Entry> m_entries;
};

} // namespace registers
