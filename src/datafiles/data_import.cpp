#include "data_import.h"

#include "app/data_paths.h"
#include "app/messenger.h"
#include "app/module1.h"
#include "app/reference_recordsets.h"
#include "app/run_time_error.h"
#include "app/year_tables.h"
#include "import_source.h"
#include "logging.h"
#include "reference_merge.h"
#include "year_table_import.h"

#include <QDir>
#include <QFileInfo>

namespace datafiles {
namespace {

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

void mergeLists(ImportSource& source)
{
    app::Module1& m = app::module1();
    for (const ReferenceList& list : referenceLists()) {
        try {
            mergeReferenceList(source, m.dbthamkhaolich, list);
        } catch (const std::exception& e) {
            // One list that cannot be merged does not stop the others.
            app::recordRunTimeError(e, lcDatafiles());
        }
    }
    app::tell(QStringLiteral("Đã nhập xong các bảng tham khảo!"));
    try {
        app::openReferenceRecordsets();
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
    }
}

ImportOutcome importYearTables(ImportSource& source, const QString& kind)
{
    app::Module1& m = app::module1();
    db::Database& target = kind == QLatin1String("cv") ? m.dbcongvan : m.dblich;
    const QList<YearTableKind> kinds = yearTableKinds(kind);
    try {
        for (const QString& table : source.tableNames()) {
            if (const YearTableKind* k = yearTableKindOf(table, kinds))
                importYearTable(source, target, table, *k, [](const QString& question) { return app::ask(question); });
        }
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
        app::tell(importFailedMessage());
        return ImportOutcome::Failed;
    }
    app::createYearTables(); // tells and returns false when a table cannot be made
    app::tell(kind == QLatin1String("cv") ? QStringLiteral("Đã nhập xong dữ liệu công văn cũ!")
                                          : QStringLiteral("Đã nhập xong dữ liệu về kế hoạch, lịch công tác cũ!"));
    return ImportOutcome::Done;
}

} // namespace

OpenFileRequest importFileRequest(const QString& kind)
{
    OpenFileRequest request;
    request.folder = app::dataFolder(app::module1().thumucchuongtrinh);
    QString file;
    if (kind == QLatin1String("lich")) {
        request.title = QStringLiteral("Chon file ke hoach, lich cong tac vemolich.mdb");
        file = QStringLiteral("vemolich.MDB");
    } else if (kind == QLatin1String("tk")) {
        request.title = QStringLiteral("Chon file du lieu tham khao vemotk.mdb");
        file = QStringLiteral("vemotk.MDB");
    } else {
        request.title = QStringLiteral("Chon file cong van vemocv.mdb");
        file = QStringLiteral("vemocv.MDB");
    }
    request.filters = {QStringLiteral("File ") + file + QStringLiteral(" (*.MDB *.mdb)"),
                       QStringLiteral("All (*.*) (*)")};
    return request;
}

QString importOutsideMessage(const QString& programFolder)
{
    return QStringLiteral("Chỉ được phép nhập dữ liệu vào file dữ liệu đang dùng nằm trong thư mục ") +
           QDir::toNativeSeparators(programFolder + QStringLiteral("/Data")) + QStringLiteral(" của máy tính này.");
}

QString importUnusableMessage()
{
    return QStringLiteral("File vừa chọn bị lỗi không dùng được.") +
           QStringLiteral("Cần chọn lại file khác hoặc bấm nút Cancel để kết thúc");
}

QString importFailedMessage()
{
    return QStringLiteral("Gặp lỗi khi đang ghép dữ liệu!") + QStringLiteral("\r\n") +
           QStringLiteral("Cần kiểm tra và thực hiện lại nếu cần!");
}

ImportOutcome importOldData(const QString& kind, const ImportHooks& hooks)
{
    if (hooks.administrator && !hooks.administrator())
        return ImportOutcome::NotAllowed;
    app::Module1& m = app::module1();
    const QString target = kind == QLatin1String("lich") ? m.filelich
                           : kind == QLatin1String("tk") ? m.filethamkhaolich
                                                         : m.filecongvan;
    // Imports go only into files inside the program folder (letter case counts).
    if (!QDir::fromNativeSeparators(target).startsWith(QDir::fromNativeSeparators(m.thumucchuongtrinh) +
                                                       QLatin1Char('/'))) {
        app::tell(importOutsideMessage(m.thumucchuongtrinh));
        return ImportOutcome::Outside;
    }

    std::unique_ptr<ImportSource> source;
    while (!source) {
        const QString chosen = hooks.chooseFile ? hooks.chooseFile(importFileRequest(kind)) : QString();
        if (chosen.isEmpty())
            return ImportOutcome::Cancelled;
        if (sameFile(chosen, target)) {
            // Importing a file into itself would empty each table it replaces.
            app::tell(QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (") +
                      QDir::toNativeSeparators(chosen) + QStringLiteral(")."));
            continue;
        }
        source = openImportSource(chosen);
        if (!source)
            app::tell(importUnusableMessage());
    }

    struct Working
    {
        const std::function<void(bool)>& working;
        explicit Working(const std::function<void(bool)>& w) : working(w)
        {
            if (working)
                working(true);
        }
        ~Working()
        {
            if (working)
                working(false);
        }
    } busy(hooks.working);
    if (kind == QLatin1String("tk")) {
        mergeLists(*source);
        return ImportOutcome::Done;
    }
    return importYearTables(*source, kind);
}

} // namespace datafiles
