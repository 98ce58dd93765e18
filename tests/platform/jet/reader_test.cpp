// The reader process and the decoding of its answer: damaged files end in Damaged within the
// limits, the program's process untouched; a stream that lies is refused.
#include "damaged_jet.h"

#include "platform/jet/jet_log.h"
#include "platform/jet/mdb_file.h"
#include "platform/jet/reader_protocol.h"
#include "platform/jet/reader_stream.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

namespace p = jet::protocol;

// A value's bytes as the stream carries them: little-endian.
template <typename T> QByteArray le(T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    return QByteArray(bytes, sizeof(T));
}

QByteArray frame(char tag, const QByteArray& payload)
{
    return QByteArray(1, tag) + le<quint32>(static_cast<quint32>(payload.size())) + payload;
}

QByteArray column(jet::ColumnType type, const QByteArray& name)
{
    return frame(p::Column, QByteArray(1, static_cast<char>(type)) + le<quint32>(8) + name);
}

QByteArray real(p::Value kind, double value)
{
    return QByteArray(1, static_cast<char>(kind)) + le<double>(value);
}

QByteArray complete(quint32 count)
{
    return frame(p::Complete, le<quint32>(count));
}

TEST(ReaderStream, DecodesFramesSplitAnywhere)
{
    const QByteArray stream = column(jet::ColumnType::DateTime, "ngay") + column(jet::ColumnType::Text, "ten") +
                              frame(p::Row, real(p::Date, 2.5) + QByteArray("\x06\x03\0\0\0Hoa", 8)) +
                              frame(p::Row, QByteArray(2, '\0')) + complete(2);
    jet::ReaderStream in(u"cvden2004"_s);
    for (char c : stream)
        in.feed(QByteArrayView(&c, 1));
    ASSERT_EQ(in.state(), jet::ReaderStream::State::Complete);
    ASSERT_EQ(in.rows.size(), 2);
    EXPECT_EQ(in.rows[0][0].toDateTime(), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
    EXPECT_EQ(in.rows[0][1].toString(), u"Hoa"_s);
    EXPECT_FALSE(in.rows[1][0].isValid());
    EXPECT_EQ(in.pending(), 0);
}

TEST(ReaderStream, RefusesValuesNoEngineStoresAndStreamsThatDoNotParse)
{
    const QByteArray columns = column(jet::ColumnType::Long, "stt") + column(jet::ColumnType::DateTime, "ngay");
    const QByteArray one = QByteArray(1, p::Integer) + QByteArray(8, '\0');
    using K = jet::JetError::Kind;
    struct Case
    {
        const char* what;
        QByteArray stream;
        K kind;
        QString badColumn = u"ngay"_s;
    };
    const Case cases[] = {
        {"NaN date", columns + frame(p::Row, one + real(p::Date, std::nan(""))), K::BadValue},
        {"infinite date", columns + frame(p::Row, one + real(p::Date, HUGE_VAL)), K::BadValue},
        {"date 1e300", columns + frame(p::Row, one + real(p::Date, 1e300)), K::BadValue},
        {"date before the year 100", columns + frame(p::Row, one + real(p::Date, -657435.5)), K::BadValue},
        {"infinite number", columns + frame(p::Row, real(p::Real, -HUGE_VAL) + real(p::Date, 1)), K::BadValue,
         u"stt"_s},
        {"row wider than its columns", columns + frame(p::Row, one + one + one), K::Damaged},
        {"row narrower than its columns", columns + frame(p::Row, one), K::Damaged},
        {"value cut short", columns + frame(p::Row, one + QByteArray(3, p::Date)), K::Damaged},
        {"text longer than its frame", columns + frame(p::Row, one + QByteArray("\x06\xff\0\0\0", 5)), K::Damaged},
        {"unknown frame", frame('Z', {}), K::Damaged},
        {"frame after the end", complete(0) + complete(0), K::Damaged},
        {"frame longer than any", QByteArray("R\xff\xff\xff\xff", 5), K::Damaged},
        {"column after a row", columns + frame(p::Row, one + one) + columns, K::Damaged},
        {"unknown failure kind", frame(p::Failure, QByteArray("\x09no", 3)), K::Damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        jet::ReaderStream in(u"cvden2004"_s);
        try {
            in.feed(c.stream);
            ADD_FAILURE() << "accepted";
        } catch (const jet::JetError& e) {
            EXPECT_EQ(e.kind(), c.kind) << e.text().toStdString();
            if (c.kind == K::BadValue) { // names the table, column and row of the value
                EXPECT_EQ(QStringList({e.table(), e.column(), QString::number(e.row())}),
                          QStringList({"cvden2004", c.badColumn, "1"}));
            }
        }
    }
}

// Damaged files: each ends in Damaged naming what was being read, within the limits; what libmdb
// prints goes to the log.
TEST(MdbFile, ACrashAHangOrRunawayMemoryInTheReaderIsADamagedFile)
{
    QTemporaryDir dir;
    using namespace damaged_jet;
    const QByteArray years = yearTables();
    const auto made = [&](const char* name, const QByteArray& bytes) { return write(dir.filePath(name), bytes); };
    const QString fixtures = QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/damaged/");
    jet::ReaderLimits limits;
    limits.memoryMb = 256;
    struct Case
    {
        const char* what;
        QString path;
        QString table;       // "" : the catalog fails
        QString textHas;     // in the error's text
        int tablesSeen = 0;  // of a catalog that fails
        int idleMs = 1500;   // long enough for the memory limit to come first where it should
        QString logged = {}; // the one line of what libmdb printed, sent to the log
    };
    const Case cases[] = {
        {"catalog crash", fixtures + "catalog-null-usage-map.mdb", "", "died"},
        {"catalog loop", made("loop.mdb", zeroPropertyRecord(years, 0)), "",
         "no answer for 1500 ms reading the list of tables"},
        {"catalog memory", made("memory.mdb", zeroPropertyRecord(years, 1)), "", "died", 0, 20000},
        {"catalog page lost", made("catalog.mdb", zeroPage(years, kCatalogPageLate)), "",
         "the catalog holds 106 rows; 84 could be read", 5, 1500, u"page 22 from map doesn't match"_s},
        {"rows crash", made("crash.mdb", emptyUsageMap(years)), "cvden2004",
         "died (signal or memory limit) reading table \"cvden2004\""},
        {"rows page lost", made("rows.mdb", zeroPage(years, kEmployeesData)), "cvden2004",
         "table \"cvden2004\" holds 9 rows; 0 could be read"},
    };
    static QStringList logged;
    QLoggingCategory::setFilterRules(u"selvaro.jet.info=true"_s);
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
            if (QLatin1String(context.category) == QLatin1String("selvaro.jet"))
                logged << text;
        });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        logged.clear();
        limits.idleMs = c.idleMs;
        QElapsedTimer clock;
        clock.start();
        try {
            jet::MdbFile file(c.path, limits);
            ASSERT_FALSE(c.table.isEmpty()) << "the catalog was read";
            EXPECT_EQ(file.rows(u"cvden2003"_s).size(), 91);
            file.rows(c.table);
            ADD_FAILURE() << "read";
        } catch (const jet::JetError& e) {
            EXPECT_EQ(e.kind(), jet::JetError::Kind::Damaged);
            EXPECT_TRUE(e.text().contains(c.textHas)) << e.text().toStdString();
            EXPECT_EQ(e.tablesSeen.size(), c.tablesSeen) << e.tablesSeen.join(',').toStdString();
        }
        EXPECT_LT(clock.elapsed(), c.idleMs + 10000);
        if (!c.logged.isEmpty()) {
            ASSERT_EQ(logged.size(), 1);
            EXPECT_TRUE(logged[0].contains(c.logged)) << logged[0].toStdString();
        }
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
}

} // namespace
