#include "list_export.h"

#include "file_dialog.h"

#include "app/core/messenger.h"
#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"
#include "platform/export/export_error.h"
#include "platform/export/recordset_table.h"
#include "platform/export/table_file.h"
#include "platform/ui/grid.h"
#include "platform/ui/hourglass.h"
#include "platform/ui/progress_window.h"
#include "platform/ui/text_box.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace datafiles {
namespace {

Q_LOGGING_CATEGORY(lcExport, "selvaro.export")

// The folder the last export went to in this run; the user's documents at first.
QString& lastFolder()
{
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder;
}

// A name a file may carry: characters the file systems refuse become "-".
QString fileNameOf(const QString& name)
{
    QString out = name.trimmed();
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    for (QChar& c : out) {
        if (refused.contains(c) || c.unicode() < 32)
            c = u'-';
    }
    return out.isEmpty() ? QStringLiteral("Danh sách") : out;
}

// The progress window of an export: shown only once the work has lasted a second.
class ExportProgress
{
public:
    explicit ExportProgress(QWidget* parent) : m_window(QStringLiteral("Xuất ra Excel"), parent)
    {
        m_window.setObjectName(QStringLiteral("frmxuatexcel"));
        m_window.bar->setAccessibleName(QStringLiteral("Số dòng đã xuất"));
        m_window.setMinimumDuration(1000);
    }

    // Rows read are the first half of the bar, rows written the second.
    exporting::Progress phase(const QString& text, int half)
    {
        return [this, text, half](qint64 done, qint64 total) {
            if (m_window.labelText() != text)
                m_window.setLabelText(text);
            const int whole = static_cast<int>(qMin<qint64>(total, 1 << 29));
            if (m_window.maximum() != 2 * whole)
                m_window.setRange(0, 2 * whole);
            m_window.setValue(static_cast<int>(qMin<qint64>(done, whole)) + half * whole);
            QCoreApplication::processEvents();
            return !m_window.wasCanceled();
        };
    }

private:
    ui::ProgressWindow m_window;
};

} // namespace

QList<exporting::SourceColumn> labelledBoxes(const QList<ui::TextBox*>& boxes)
{
    const auto placeOf = [](const ui::TextBox* box) {
        const QPoint p = box->mapTo(box->window(), QPoint());
        return std::pair(p.y(), p.x());
    };
    QList<ui::TextBox*> ordered = boxes;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&](const ui::TextBox* a, const ui::TextBox* b) { return placeOf(a) < placeOf(b); });
    QList<exporting::SourceColumn> out;
    for (ui::TextBox* box : std::as_const(ordered)) {
        const auto labels = box->window()->findChildren<QLabel*>();
        const auto label = std::find_if(labels.begin(), labels.end(), [box](QLabel* l) { return l->buddy() == box; });
        if (label == labels.end() || box->dataField().isEmpty())
            continue;
        QString head = (*label)->text().remove(u'&').trimmed();
        while (head.endsWith(u':'))
            head = head.chopped(1).trimmed();
        out.append({head, box->dataField()});
    }
    return out;
}

QString exportTable(QWidget* window, const QString& name, const TableReader& read)
{
    const QString proposed = QDir(lastFolder()).filePath(fileNameOf(name) + QStringLiteral(".xlsx"));
    const QString path = saveFileChooser(window)({QStringLiteral("Xuất danh sách ra file Excel"),
                                                  proposed,
                                                  {QStringLiteral("Excel (*.xlsx)"), QStringLiteral("CSV (*.csv)")}});
    if (path.isEmpty())
        return QString();
    lastFolder() = QFileInfo(path).absolutePath();

    ExportProgress progress(window);
    try {
        ui::HourglassPointer busy;
        const exporting::Table table = read(progress.phase(QStringLiteral("Đang đọc danh sách..."), 0));
        exporting::saveTable(table, path, exporting::formatOfPath(path),
                             progress.phase(QStringLiteral("Đang ghi file ") + QDir::toNativeSeparators(path), 1));
    } catch (const exporting::ExportError& e) {
        if (e.kind() == exporting::ExportError::Kind::Cancelled)
            return QString();
        app::recordRunTimeError(e, lcExport());
        app::tell(exporting::userMessage(e));
        return QString();
    } catch (const db::DbError& e) {
        app::recordRunTimeError(e, lcExport());
        app::tell(QStringLiteral("Lỗi dữ liệu : ") + e.description());
        return QString();
    }
    app::tell(QStringLiteral("Đã xuất danh sách ra file ") + QDir::toNativeSeparators(path) + QStringLiteral(" !"));
    return path;
}

QString exportGrid(ui::Grid& grid, const ListExport& what)
{
    ui::DataControl* source = grid.dataSource();
    if (!source || !source->hasRecordset())
        return QString();
    QList<exporting::SourceColumn> shown;
    for (const ui::RecordsetTableModel::Column& c : grid.tableModel()->columns())
        shown.append({c.caption, c.field});
    const QString name = what.name.isEmpty() ? grid.window()->windowTitle() : what.name;
    return exportTable(grid.window(), name, [&](const exporting::Progress& progress) {
        db::RowReader rows(source->database(), source->recordset().source());
        QList<exporting::SourceColumn> boxes;
        for (const exporting::SourceColumn& box : what.boxes) {
            if (rows.hasField(box.field))
                boxes.append(box);
        }
        return exporting::tableFromRows(rows, exporting::listColumns(shown, boxes, what.leaveOut),
                                        source->recordset().recordCount(), progress);
    });
}

void connectExportButton(QPushButton* button, ui::Grid* grid, ListExport what)
{
    button->setAccessibleName(button->text().remove(u'&'));
    button->setAutoDefault(false); // Enter in a box of a dialog does not export
    QObject::connect(button, &QPushButton::clicked, grid, [grid, what = std::move(what)] { exportGrid(*grid, what); });
}

} // namespace datafiles
