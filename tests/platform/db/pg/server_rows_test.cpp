// A dynaset's rows on a server: the keyset in the SELECT's order, rows read typed by their
// counter, finds, writes refused as on a file, and the stamp that tells a cursor to read again.
#include "pg_server_fixture.h"

#include <QDateTime>

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_data_set.h"
#include "platform/db/pg/server_rows.h"

namespace {

using db::FieldType;
using db::pg::ServerConnection;
using db::pg::ServerDataSet;
using db::pg::ServerRows;

class ServerRowsTest : public pg_test::ServerTest
{
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        if (IsSkipped())
            return;
        db::pg::installProgramFunctions(*server);
        db::pg::dataset::drop(*server, u"vemocv"_s);
        db::pg::dataset::create(*server, u"vemocv"_s);
        db::FieldDef sender{u"NoiGui"_s, FieldType::Text, 20};
        sender.allowZeroLength = false;
        db::TableDef letters{u"CvDen2026"_s,
                             {{u"id"_s, FieldType::Long, 4, db::fieldattr::AutoIncrField},
                              {u"stt"_s, FieldType::Long, 4},
                              sender,
                              {u"ng_den"_s, FieldType::Date, 8},
                              {u"khan"_s, FieldType::Boolean, 1}},
                             {}};
        server->inTransaction([&] { db::pg::dataset::createTable(*server, u"vemocv"_s, letters); });
        server->exec(u"insert into vemocv.cvden2026 (stt, noigui, ng_den, khan) values "
                     "(1, 'Sở Tài chính', '2026-01-05', true), (2, 'BỘ NỘI VỤ', '2026-02-10', true), "
                     "(3, 'Bộ Y tế', '2026-03-01', false), (4, 'bộ công an', '2026-03-02 08:30:00', true)"_s);
        data = std::make_unique<ServerDataSet>(*server, u"vemocv"_s);
    }

    QVector<QVariant> row(ServerRows& rows, qint64 key)
    {
        QVector<QVariant> values;
        EXPECT_TRUE(rows.fetch(key, values));
        return values;
    }

    std::unique_ptr<ServerDataSet> data;
};

TEST_F(ServerRowsTest, ADynasetReadsFindsAndWritesItsTable)
{
    auto rows = ServerRows::open(*server, *data, u"select * from cvden2026 where khan = True order by noigui"_s);
    ASSERT_EQ(rows->size(), 3);
    // In the order of the folded texts: "bộ công an", "bộ nội vụ", "sở tài chính".
    EXPECT_EQ(rows->key(0), 4);
    EXPECT_EQ(rows->key(2), 1);
    EXPECT_EQ(rows->columns()[2].baseColumn, u"NoiGui"_s);
    EXPECT_EQ(row(*rows, 4), (QVector<QVariant>{4, 4, u"bộ công an"_s, QDateTime({2026, 3, 2}, {8, 30}), true}));
    EXPECT_EQ(rows->matching(u"noigui like '*BỘ*' and stt > 2"_s), std::vector<int>{0});

    const QVector<bool> all = {false, true, true, true, true};
    const qint64 added = rows->insertRow({{}, 5, u"Văn phòng"_s, QDateTime({2026, 4, 1}, {}), true}, all);
    EXPECT_EQ(rows->positionOf(added), 3);
    rows->updateRow(added, {{}, {}, u"Văn phòng Tỉnh uỷ"_s, {}, {}}, {false, false, true, false, false});
    EXPECT_EQ(row(*rows, added)[2], u"Văn phòng Tỉnh uỷ"_s);

    // Refused as on a file, and nothing written.
    const auto refusal = [&](const QString& sender) {
        return pg_test::failureNumber([&] { rows->updateRow(added, {{}, {}, sender, {}, {}}, all); });
    };
    EXPECT_EQ(refusal(u"Ủy ban nhân dân tỉnh Quảng Ngãi"_s), db::errc::FieldTooSmall);
    EXPECT_EQ(refusal(u""_s), db::errc::ZeroLengthNotAllowed);
    EXPECT_EQ(row(*rows, added)[2], u"Văn phòng Tỉnh uỷ"_s);

    rows->deleteRow(added);
    QVector<QVariant> gone;
    EXPECT_FALSE(rows->fetch(added, gone));

    EXPECT_EQ(
        pg_test::failureNumber([&] { ServerRows::open(*server, *data, u"select distinct noigui from cvden2026"_s); }),
        db::errc::NotUpdatable);
}

TEST_F(ServerRowsTest, TheStampMovesWithACommitElsewhereAndWithARollbackHere)
{
    auto rows = ServerRows::open(*server, *data, u"cvden2026"_s);
    auto other = ServerConnection::open(with(u"dbname"_s, databaseName()));
    const ServerRows::Stamp start = rows->stamp();

    other->exec(u"begin"_s);
    other->exec(u"update vemocv.cvden2026 set stt = 9 where id = 1"_s);
    EXPECT_EQ(rows->stamp(), start) << "not committed";
    other->exec(u"commit"_s);
    const ServerRows::Stamp committed = rows->stamp();
    EXPECT_NE(committed, start);
    EXPECT_EQ(row(*rows, 1)[1], 9);

    server->exec(u"begin"_s);
    rows->deleteRow(2);
    EXPECT_NE(rows->stamp(), committed) << "our own write";
    server->exec(u"rollback"_s);
    EXPECT_NE(rows->stamp(), committed) << "a rollback: rows read in the transaction may be gone";
    EXPECT_EQ(row(*rows, 2)[2], u"BỘ NỘI VỤ"_s);
}

} // namespace
