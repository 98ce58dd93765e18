// A table's number moves for another client only when a write to it commits; the writer sees its
// own write at once.
#include "pg_server_fixture.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/table_versions.h"

#include <QEventLoop>
#include <QTimer>

namespace {

using db::pg::ServerConnection;
using pg_test::ServerTest;
namespace versions = db::pg::versions;

TEST_F(ServerTest, ATablesNumberMovesForOthersOnlyWithACommitAndDefinitionsOncePerAction)
{
    db::pg::dataset::drop(*server, u"vemocv"_s);
    db::pg::dataset::create(*server, u"vemocv"_s);
    server->inTransaction([&] {
        const QList<db::TableDef> tables = {
            {u"CvDen2026"_s, {{u"id"_s, db::FieldType::Long}, {u"noigui"_s, db::FieldType::Text, 50}}, {}},
            {u"donvi"_s, {{u"tendonvi"_s, db::FieldType::Text, 50}}, {}}};
        for (const db::TableDef& table : tables)
            db::pg::dataset::createTable(*server, u"vemocv"_s, table);
    });
    auto other = ServerConnection::open(suiteConnection());
    const auto number = [](ServerConnection& client) { return versions::of(client, u"vemocv"_s, u"cvden2026"_s); };
    const qint64 start = number(*server);

    other->exec(u"begin"_s);
    other->exec(u"insert into vemocv.cvden2026 values (1, 'Bộ Nội vụ')"_s);
    EXPECT_GT(number(*other), start) << "the writer sees its own write";
    EXPECT_EQ(number(*server), start) << "an open transaction is not seen";
    other->exec(u"rollback"_s);
    EXPECT_EQ(number(*server), start);
    EXPECT_EQ(number(*other), start) << "a rollback takes the number back";

    other->exec(u"insert into vemocv.cvden2026 values (1, 'Bộ Nội vụ')"_s);
    const qint64 afterInsert = number(*server);
    EXPECT_GT(afterInsert, start);
    other->exec(u"update vemocv.cvden2026 set noigui = 'Sở Nội vụ'"_s);
    EXPECT_GT(number(*server), afterInsert);
    const qint64 afterUpdate = number(*server);
    other->exec(u"insert into vemocv.donvi values ('Phòng Tổ chức')"_s);
    EXPECT_EQ(number(*server), afterUpdate) << "another table's write";
    other->exec(u"delete from vemocv.cvden2026"_s);
    EXPECT_GT(number(*server), afterUpdate);

    EXPECT_EQ(pg_test::failureNumber([&] { versions::of(*server, u"vemocv"_s, u"khongco"_s); }),
              db::errc::TableNotFound);

    // Then the definitions, read once in a user action: another client's new field is seen at the
    // next action, this connection's own change at once.
    const auto addField = [](ServerConnection& client, const QString& name) {
        client.inTransaction([&] {
            db::pg::dataset::addField(client, u"vemocv"_s, u"donvi"_s, {name, db::FieldType::Text, 10});
        });
    };
    const auto fields = [&] {
        QStringList names;
        for (const db::FieldDef& f : db::pg::dataset::tableDef(*server, u"vemocv"_s, u"donvi"_s).fields)
            names << f.name;
        return names.join(u',');
    };
    QStringList seen;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        seen << fields();
        addField(*other, u"matt"_s);
        seen << fields();
    });
    QTimer::singleShot(0, &loop, [&] {
        seen << fields();
        addField(*server, u"ghichu"_s);
        seen << fields();
        loop.quit();
    });
    loop.exec();
    EXPECT_EQ(seen.join(u'|'), u"tendonvi|tendonvi|tendonvi,matt|tendonvi,matt,ghichu"_s);
}

} // namespace
