#include "pick_grids.h"

#include "form_support.h"

#include "platform/ui/form_base.h"

#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace registers {

PickGrids::PickGrids(ui::FormBase* form) : QObject(form), m_form(form) {}

ui::Grid* PickGrids::add(const PickList& list)
{
    auto* data = new ui::DataControl(m_form);
    data->setObjectName(list.dataControl);
    data->setRecordsetType(db::RecordsetType::Snapshot);
    data->hide();
    data->setErrorHandler([](int, const QString&) {
        return ui::ErrorResponse::Handled; // a list that cannot be read stays empty
    });
    auto* grid = new ui::Grid(m_form);
    grid->setObjectName(list.grid);
    grid->setGeometry(pixels(list.twips.left()), pixels(list.twips.top()), pixels(list.twips.width()),
                      pixels(list.twips.height()));
    grid->setDataSource(data);
    grid->setDoubleClickKeys({Qt::Key_Return}); // Enter picks the highlighted row
    grid->hide();
    m_entries.append({list, grid, data});
    const QString name = list.grid;
    connect(grid, &ui::Grid::DblClick, this, [this, name] { pick(name); });
    connect(grid, &ui::Grid::LostFocus, this, [this, name] {
        const Entry* e = find(name);
        e->grid->hide();
        if (e->list.backToBoxOnLeave && e->list.box && !e->list.box->hasFocus() && m_form->isActiveWindow())
            e->list.box->setFocus();
    });
    return grid;
}

void PickGrids::setSource(const QString& gridName, const db::Database& db, const QString& sql,
                          const QList<GridColumn>& columns)
{
    const Entry* e = find(gridName);
    if (!e)
        return;
    e->grid->clearColumns();
    // The first column takes what the others leave of the grid's width.
    const int others = 70;
    const int first = std::max(80, e->grid->width() - e->grid->verticalHeader()->width() - 4 -
                                       others * static_cast<int>(columns.size() - 1) - 24);
    for (const GridColumn& c : columns)
        e->grid->addColumn(c.first, c.second, c == columns.first() ? first : others);
    if (!columns.isEmpty())
        setAccessibleCaption(e->grid, columns.first().first);
    e->data->setDatabase(db);
    e->data->setRecordSource(sql);
    e->data->refresh();
}

bool PickGrids::showFor(const QWidget* box)
{
    for (const Entry& e : std::as_const(m_entries)) {
        if (box && e.list.box == box) {
            place(e);
            e.grid->show();
            e.grid->raise();
            e.grid->setFocus();
            return true;
        }
    }
    return false;
}

ui::TextBox* PickGrids::visibleBox() const
{
    for (const Entry& e : m_entries) {
        if (e.grid->isVisible())
            return e.list.box;
    }
    return nullptr;
}

ui::Grid* PickGrids::grid(const QString& name) const
{
    const Entry* e = find(name);
    return e ? e->grid : nullptr;
}

ui::DataControl* PickGrids::dataControl(const QString& gridName) const
{
    const Entry* e = find(gridName);
    return e ? e->data : nullptr;
}

void PickGrids::pick(const QString& gridName)
{
    const Entry* e = find(gridName);
    ui::TextBox* target = e ? e->list.box : nullptr;
    if (!target || target->isLocked() || !e->data->hasCurrentRecord())
        return;
    const QString name = e->grid->columnText(0).trimmed();
    if (name.isEmpty())
        return;
    target->setText(target->text().trimmed().isEmpty() ? name : target->text() + QStringLiteral(", ") + name);
    if (e->list.focusAfterPick) {
        e->list.focusAfterPick->setFocus();
        e->grid->hide();
    }
}

// A grid as wide as its box or as its longest name, whichever is wider, but never wider than the
// form (nor the screen); it starts under the box (above it when there is no room below), within the
// form.
void PickGrids::place(const Entry& e) const
{
    ui::Grid* grid = e.grid;
    QRect area(pixels(e.list.twips.left()), pixels(e.list.twips.top()), pixels(e.list.twips.width()),
               pixels(e.list.twips.height()));
    int limit = m_form->width();
    if (const QScreen* screen = m_form->screen())
        limit = std::min(limit, screen->availableGeometry().width());
    const ui::TextBox* target = e.list.box;
    const QRect boxRect =
        target ? QRect(target->mapTo(m_form, QPoint(0, 0)), target->size()) : QRect(area.topLeft(), QSize(0, 0));
    const int width = std::min(limit, std::max({area.width(), boxRect.width(), grid->contentsWidth()}));
    area.setWidth(width);
    if (target) {
        area.moveLeft(boxRect.left());
        if (boxRect.bottom() + area.height() < m_form->height())
            area.moveTop(boxRect.bottom() + 1);
        else if (boxRect.top() - area.height() >= 0)
            area.moveBottom(boxRect.top() - 1);
    }
    area.moveLeft(std::clamp(area.left(), 0, std::max(0, m_form->width() - width)));
    area.moveTop(std::clamp(area.top(), 0, std::max(0, m_form->height() - area.height())));
    grid->setGeometry(area);
    // The first column shows whole names; the others keep their width, the last one stretches.
    int others = 0;
    for (int column = 1; column < grid->columns(); ++column)
        others += grid->columnWidth(column);
    const int chrome = grid->verticalHeader()->width() + 2 * grid->frameWidth() +
                       grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (grid->columns() > 1)
        grid->setColumnWidth(0, std::max(80, width - chrome - others));
}

const PickGrids::Entry* PickGrids::find(const QString& gridName) const
{
    for (const Entry& e : m_entries) {
        if (e.list.grid.compare(gridName, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

} // namespace registers
