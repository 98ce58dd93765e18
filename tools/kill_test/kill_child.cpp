#include "kill_child.h"

#include "app/core/data_paths.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "datafiles/attachments.h"
#include "datafiles/letter_save.h"
#include "datafiles/replication.h"

#include <QDir>
#include <QRandomGenerator>
#include <csignal>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace {

// Replication failures are printed, never waited for.
class PrintingMessenger : public app::Messenger
{
public:
    QString show(const QString& text, const QString& kind) override
    {
        if (kind.compare(QLatin1String("tbao"), Qt::CaseInsensitive) != 0)
            say(QStringLiteral("msg ") + QString(text).replace(QLatin1Char('\r'), QLatin1Char(' ')));
        return QStringLiteral("ok");
    }
    void closeNotice() override {}

    static void say(const QString& line)
    {
        std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
        std::fflush(stdout);
    }
};

void fill(db::Recordset& rs, const QString& table, int stt, const QString& text)
{
    rs.setValue(QStringLiteral("stt"), stt);
    rs.setValue(QStringLiteral("so_cv"), QString::number(stt) + QStringLiteral("/UB"));
    rs.setValue(QStringLiteral("tt_ndung"), text);
    rs.setValue(QStringLiteral("dv_nhan"), QStringLiteral("Phòng Tổ chức, Văn phòng"));
    if (table.startsWith(QLatin1String("cvdi"))) {
        rs.setValue(QStringLiteral("nguoiky"), QStringLiteral("Nguyễn Văn Ấn"));
        rs.setValue(QStringLiteral("noiluu"), QStringLiteral("Văn phòng"));
    } else {
        rs.setValue(QStringLiteral("noigui"), QStringLiteral("Sở Nội vụ"));
        rs.setValue(QStringLiteral("ng_den"), QStringLiteral("05/03/2009"));
        rs.setValue(QStringLiteral("ng_denchuan"), QStringLiteral("20090305"));
    }
}

// The kill points "super-journal" and "super-journal-made": SQLite deletes the super-journal of a
// transaction over several files at its commit point; "super-journal" dies just before, leaving
// the super-journal and the hot journals that name it. "super-journal-made" dies as soon as the
// super-journal is created, before any journal names it. A copy of the default VFS with its open
// and delete wrapped.
sqlite3_vfs g_dying;
int (*g_delete)(sqlite3_vfs*, const char*, int) = nullptr;
int (*g_open)(sqlite3_vfs*, sqlite3_filename, sqlite3_file*, int, int*) = nullptr;
bool g_dieWhenMade = false;

int openOrDie(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    const int rc = g_open(vfs, name, file, flags, outFlags);
    if (g_dieWhenMade && (flags & SQLITE_OPEN_SUPER_JOURNAL))
        std::raise(SIGKILL);
    return rc;
}

int deleteOrDie(sqlite3_vfs* vfs, const char* name, int syncDir)
{
    // The file's own name, not its folder: a temporary folder may be called "…-mj…".
    const QByteArray path(name);
    if (!g_dieWhenMade && path.mid(path.lastIndexOf('/') + 1).contains("-mj"))
        std::raise(SIGKILL);
    return g_delete(vfs, name, syncDir);
}

void dieAtSuperJournal()
{
    g_dying = *sqlite3_vfs_find(nullptr);
    g_delete = g_dying.xDelete;
    g_dying.xDelete = deleteOrDie;
    g_open = g_dying.xOpen;
    g_dying.xOpen = openOrDie;
    g_dying.zName = "dying";
    sqlite3_vfs_register(&g_dying, 1);
}

// Attaches a PDF written for letter stt (about 300 KB, so that a kill may land inside its copy).
void attachTo(const QString& programFolder, const QString& table, int stt, long long id)
{
    const QString source =
        QDir(programFolder)
            .filePath(QStringLiteral("nguồn/Thư \"số ") + QString::number(stt) + QStringLiteral("\".pdf"));
    QDir().mkpath(QFileInfo(source).absolutePath());
    QFile f(source);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write("%PDF-1.4\n% Thư số " + QByteArray::number(stt) + '\n');
    f.write(QByteArray(300 * 1024, static_cast<char>('a' + stt % 26)));
    f.close();
    const QString what = table + QLatin1Char(' ') + QString::number(stt);
    PrintingMessenger::say(QStringLiteral("att try ") + what);
    const app::Module1& m = app::module1();
    const datafiles::Attachment a =
        datafiles::attachFile(app::module1().letters, datafiles::AttachmentStore::besideLettersFile(m.lettersPath),
                              table, id, source, QStringLiteral("Kiểm tra"), QDateTime::currentDateTime());
    PrintingMessenger::say(QStringLiteral("att ack ") + what + QLatin1Char(' ') + a.hash);
    QFile::remove(source);
}

} // namespace

int runKillChild(const QString& programFolder, const QString& year, int first, int count, const QString& dieAt)
{
    PrintingMessenger messenger;
    app::setMessenger(&messenger);
    app::Module1& m = app::module1();
    app::setProgramFolder(m, programFolder);
    m.lettersPath = app::dataFilePath(programFolder, QStringLiteral("vemocv.MDB"));
    m.backupPath = QDir(programFolder).filePath(QStringLiteral("backup/vemocv.mdb"));
    m.workingYear = year;
    m.setYearTables();
    g_dieWhenMade = dieAt == QLatin1String("super-journal-made");
    if (dieAt.startsWith(QLatin1String("super-journal")))
        dieAtSuperJournal();
    if (dieAt == QLatin1String("attach-copy"))
        datafiles::AttachmentStore::setWriteHook([](qint64 written) {
            if (written > 0)
                std::raise(SIGKILL);
        });
    m.letters = db::Database::open(m.lettersPath, app::kConnect);
    if (!dieAt.isEmpty() && dieAt.contains(QLatin1Char('#'))) {
        const QString text = dieAt.section(QLatin1Char('#'), 0, 0);
        const int nth = dieAt.section(QLatin1Char('#'), 1, 1).toInt();
        auto seen = std::make_shared<int>(0);
        m.letters.setStatementHook([text, nth, seen](const QString& sql) {
            if (sql.contains(text, Qt::CaseInsensitive) && ++*seen >= nth)
                std::raise(SIGKILL);
        });
    }

    QRandomGenerator random(static_cast<quint32>(first));
    for (int stt = first; stt < first + count; ++stt) {
        const QString table = stt % 3 == 0 ? m.outgoingTable : m.incomingTable;
        const QString text = QStringLiteral("Thư số ") + QString::number(stt);
        const QString what = table + QLatin1Char(' ') + QString::number(stt) + QLatin1Char(' ') + text;
        PrintingMessenger::say(QStringLiteral("try add ") + what);
        db::Recordset rs = m.letters.openRecordset(table);
        rs.addNew();
        fill(rs, table, stt, text);
        datafiles::saveLetter(m.letters, rs);
        const long long id = rs.value(QStringLiteral("id")).toLongLong();
        rs.close();
        PrintingMessenger::say(QStringLiteral("ack add ") + what);
        if (stt % 2 == 1)
            attachTo(programFolder, table, stt, id);

        if (stt % 4 == 0 && stt > first) {
            // An edit of an earlier letter of this run.
            const int earlier = first + static_cast<int>(random.bounded(stt - first));
            const QString edited = earlier % 3 == 0 ? m.outgoingTable : m.incomingTable;
            const QString newText = QStringLiteral("Thư số ") + QString::number(earlier) + QStringLiteral(" (sửa ") +
                                    QString::number(stt) + QLatin1Char(')');
            const QString editWhat = edited + QLatin1Char(' ') + QString::number(earlier) + QLatin1Char(' ') + newText;
            db::Recordset er = m.letters.openRecordset(QStringLiteral("select * from ") + edited +
                                                       QStringLiteral(" where stt=") + QString::number(earlier));
            if (!er.eof()) {
                PrintingMessenger::say(QStringLiteral("try edit ") + editWhat);
                er.edit();
                er.setValue(QStringLiteral("tt_ndung"), newText);
                datafiles::saveLetter(m.letters, er);
                PrintingMessenger::say(QStringLiteral("ack edit ") + editWhat);
            }
        }
        if (stt % 3 == 2) {
            const auto outcome = stt % 2 ? datafiles::replicate(m.outgoingTable, datafiles::outgoingLetters())
                                         : datafiles::replicate(m.incomingTable, datafiles::incomingLetters());
            PrintingMessenger::say(QStringLiteral("rep ") + QString::number(static_cast<int>(outcome)));
        }
    }
    m.letters.close();
    return 0;
}
