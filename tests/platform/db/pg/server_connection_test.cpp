// The server engine's connection: versions refused, failures told apart, values bound, errors
// numbered, and the text fold that must compare exactly as our SQLite connections do.
#include "fold_cases.h"
#include "like_cases.h"
#include "pg_server_fixture.h"

#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/pg/data_set.h"
#include "platform/db/pg/like_function.h"
#include "platform/db/pg/program_functions.h"
#include "platform/db/pg/server_connection.h"
#include "platform/db/pg/server_engine.h"
#include "platform/db/pg/text_fold.h"
#include "platform/jetsql/fold.h"

namespace {

using db::pg::ServerConnection;
using pg_test::failureNumber;
using pg_test::ServerTest;

TEST(ServerVersion, OlderThanThirteenIsRefusedNamingItsVersion)
{
    const std::tuple<int, const char*, bool> cases[] = {
        {90624, "9.6.24", false}, {120004, "12.4", false}, {130000, "13.0", true}, {150018, "15.18", true}};
    for (const auto& [number, text, accepted] : cases) {
        EXPECT_EQ(db::pg::versionText(number), QString::fromUtf8(text));
        try {
            db::pg::checkServerVersion(number);
            EXPECT_TRUE(accepted) << text;
        } catch (const db::DbError& e) {
            EXPECT_FALSE(accepted) << text;
            EXPECT_EQ(e.number(), db::errc::ServerTooOld);
            EXPECT_EQ(e.description(), u"Máy chủ PostgreSQL phiên bản "_s + QString::fromUtf8(text) +
                                           u" đã cũ; Selvaro cần máy chủ phiên bản 13 trở lên."_s);
        }
    }
}

// A wrong password and a missing server are told apart; values are bound, never pasted, and come
// back as they went; the server's refusals arrive with the layer's numbers.
TEST_F(ServerTest, FailuresAreToldApartAndValuesAreBoundNeverPasted)
{
    EXPECT_EQ(failureNumber([] { ServerConnection::open(with(u"password"_s, u"sai-mat-khau"_s)); }),
              db::errc::InvalidPassword);
    EXPECT_EQ(failureNumber([] { ServerConnection::open(with(u"host"_s, u"/nonexistent/selvaro"_s)); }),
              db::errc::ServerUnreachable);
    EXPECT_GE(server->serverVersion(), db::pg::OldestServerVersion);

    server->exec(u"create table thu (id serial primary key, ten text not null unique, so bigint, "
                 "tien double precision, xong boolean, tep bytea)"_s);
    const QStringList hostile = {u"'); drop table thu; --"_s, u"Đức \"Ấp\" \\ $1 ?"_s, u"Nguyễn Văn An"_s};
    for (const QString& name : hostile) {
        EXPECT_EQ(server->exec(u"insert into thu (ten, so, tien, xong, tep) values ($1, $2, $3, $4, $5)"_s,
                               {name, qlonglong(1) << 40, 0.1, true, QByteArray("\0\x01\xff'", 4)}),
                  1);
    }
    server->exec(u"insert into thu (ten) values ($1)"_s, {u"trống"_s});
    const QList<QVariantList> rows = server->query(u"select ten, so, tien, xong, tep from thu order by id"_s);
    ASSERT_EQ(rows.size(), 4);
    for (int i = 0; i < hostile.size(); ++i) {
        EXPECT_EQ(rows[i], (QVariantList{hostile[i], qlonglong(1) << 40, 0.1, true, QByteArray("\0\x01\xff'", 4)}));
    }
    EXPECT_EQ(rows[3], (QVariantList{u"trống"_s, QVariant(), QVariant(), QVariant(), QVariant()}));

    // The server's refusals arrive with the layer's numbers.
    const std::pair<QString, int> refusals[] = {
        {u"insert into thu (ten) values ('Nguyễn Văn An')"_s, db::errc::DuplicateKey},
        {u"insert into thu (so) values (1)"_s, db::errc::NullNotAllowed},
        {u"select * from khong_co"_s, db::errc::TableNotFound},
        {u"selec 1"_s, db::errc::SyntaxError},
        {u"select 1 / 0"_s, db::errc::ServerCallFailed},
    };
    for (const auto& [sql, number] : refusals)
        EXPECT_EQ(failureNumber([&, sql = sql] { server->exec(sql); }), number) << sql.toStdString();
}

// Rows handed over one at a time; a refusal, ours or the server's, leaves the connection ready.
TEST_F(ServerTest, StreamedRowsStopCleanlyOnARefusal)
{
    const QString numbers = u"select n, 10 / (5000 - n) from generate_series(1, $1::int) n"_s;
    qlonglong sum = 0;
    server->forEachRow(numbers, {4000}, [&](const QVariantList& row) { sum += row[0].toLongLong(); });
    EXPECT_EQ(sum, 4000LL * 4001 / 2);

    int seen = 0;
    const auto refuseAt100 = [&](const QVariantList&) {
        if (++seen == 100)
            throw db::DbError(db::errc::ServerCallFailed, u"dừng"_s);
    };
    EXPECT_EQ(failureNumber([&] { server->forEachRow(numbers, {4000}, refuseAt100); }), db::errc::ServerCallFailed);
    EXPECT_EQ(seen, 100);
    EXPECT_EQ(failureNumber([&] { server->forEachRow(numbers, {6000}, [](const QVariantList&) {}); }),
              db::errc::ServerCallFailed); // division by zero at row 5000
    EXPECT_EQ(server->query(u"select 1"_s).first().first(), 1LL);
}

// The server restarted under us: the statement that finds out is told, the next one connects
// again with the session's settings; a transaction open at the loss stays lost until rolled back;
// a server that does not take us again is told at once, never waited for in a loop.
TEST_F(ServerTest, ALostConnectionIsToldAndTakenAgainWithTheSearchPathSetAgain)
{
    auto admin = ServerConnection::open(serverString()); // on another database, so it may shut ours
    server->keepForSession(u"set application_name = 'selvaro-may-1'"_s);
    server->exec(u"create table ketnoi (ten text)"_s);
    const auto cut = [&] {
        const QVariant pid = server->query(u"select pg_backend_pid()"_s).first().first();
        admin->query(u"select pg_terminate_backend($1::int, 5000)"_s, {pid});
    };
    const auto failure = [&](const QString& sql) {
        try {
            server->exec(sql);
        } catch (const db::DbError& e) {
            return QString::number(e.number()) + u' ' + e.description().section(u'\n', 0, 0);
        }
        return u"no error"_s;
    };
    const QString lost = QString::number(db::errc::ServerUnreachable) + u" Mất kết nối với máy chủ PostgreSQL."_s;
    const QString lostWrite = QString::number(db::errc::ServerUnreachable) +
                              u" Mất kết nối với máy chủ PostgreSQL giữa chừng; những gì đang ghi chưa được lưu."_s;

    cut();
    EXPECT_EQ(failure(u"select 1"_s), lost);
    EXPECT_EQ(server->query(u"show application_name"_s), QList<QVariantList>{{u"selvaro-may-1"_s}});

    server->exec(u"begin"_s);
    server->exec(u"insert into ketnoi values ('một')"_s);
    cut();
    EXPECT_EQ(failure(u"insert into ketnoi values ('hai')"_s), lostWrite);
    EXPECT_EQ(failure(u"insert into ketnoi values ('ba')"_s), lostWrite);
    server->exec(u"rollback"_s);
    EXPECT_EQ(server->query(u"select count(*) from ketnoi"_s).first().first(), 0LL);

    EXPECT_EQ(failureNumber([&] {
                  server->inTransaction([&] {
                      server->exec(u"insert into ketnoi values ('bốn')"_s);
                      cut();
                      server->exec(u"insert into ketnoi values ('năm')"_s);
                  });
              }),
              db::errc::ServerUnreachable);
    EXPECT_EQ(server->query(u"select count(*) from ketnoi"_s).first().first(), 0LL);

    admin->exec(u"alter database "_s + databaseName() + u" allow_connections false"_s);
    cut();
    EXPECT_EQ(failure(u"select 1"_s), lost);
    EXPECT_EQ(failure(u"select 1"_s), lost) << "a server that refuses us";
    admin->exec(u"alter database "_s + databaseName() + u" allow_connections true"_s);
    EXPECT_EQ(server->query(u"select count(*) from ketnoi"_s).first().first(), 0LL);

    // The search path is set only when it changes: where a rollback or a new connection undid it,
    // it is set again, or the next statement would read another data set's table.
    for (const char* schema : {"mot", "hai"}) {
        server->exec(u"create schema "_s + QLatin1String(schema));
        server->exec(u"create table "_s + QLatin1String(schema) + u".t as select '"_s + QLatin1String(schema) +
                     u"'::text as v"_s);
    }
    const auto read = [&](const QString& path) {
        server->useSearchPath(path);
        return server->query(u"select v from t"_s).first().first().toString();
    };
    EXPECT_EQ(read(u"mot"_s), u"mot"_s);
    server->exec(u"begin"_s);
    EXPECT_EQ(read(u"hai"_s), u"hai"_s);
    server->exec(u"rollback"_s); // the server's path is "mot" again
    EXPECT_EQ(read(u"hai"_s), u"hai"_s);
    cut();
    EXPECT_EQ(failure(u"select 1"_s), lost);
    EXPECT_EQ(read(u"hai"_s), u"hai"_s); // a new connection starts on the default path
}

// One definition of text comparison on both engines: the server's fold of every code point below
// U+20000 is ours, and texts compare on the server as on our SQLite connections. Jet's Like on the
// server answers the tables our SQLite connections answer: the matcher alone, and Like on folded
// texts (the rows the server can hold: well-formed text without NUL, and without the characters
// beyond U+FFFF that our connections count twice).
TEST_F(ServerTest, TheFoldAndLikeCompareExactlyAsOurConnectionsDo)
{
    db::pg::installFold(*server);
    db::pg::installLike(*server);
    const QList<QVariantList> folded = server->query(
        u"select c, selvaro_fold(chr(c)) from generate_series(1, 131071) c where c not between 55296 and 57343"_s);
    ASSERT_EQ(folded.size(), 131071 - 2048);
    int differing = 0;
    for (const QVariantList& row : folded) {
        const auto c = char32_t(row[0].toLongLong());
        if (row[1].toString() != jetsql::foldCase(QString::fromUcs4(&c, 1)) && ++differing <= 5)
            ADD_FAILURE() << "U+" << std::hex << quint32(c);
    }
    EXPECT_EQ(differing, 0);

    for (const test::FoldCase& c : test::foldCases) {
        const QString a = QString::fromUtf16(c.a);
        const QString b = QString::fromUtf16(c.b);
        const QVariantList theirs = server
                                        ->query(u"select selvaro_fold($1) = selvaro_fold($2), "
                                                "selvaro_fold($1) collate \"C\" < selvaro_fold($2) collate \"C\""_s,
                                                {a, b})
                                        .first();
        EXPECT_EQ(theirs, (QVariantList{c.expected == 0, c.expected < 0})) << c.name;
    }

    const auto like = [&](const char* function, const QString& text, const QString& pattern) {
        return server->query(u"select "_s + QLatin1String(function) + u"($1, $2)"_s, {text, pattern}).first().first();
    };
    for (const test::LikeCase& c : test::likeCases) {
        const QString pattern = QString::fromUtf16(c.pattern);
        if (c.matches) {
            EXPECT_EQ(like("selvaro_like_matches", QString::fromUtf16(c.matches), pattern), true) << c.name;
        }
        if (c.misses) {
            EXPECT_EQ(like("selvaro_like_matches", QString::fromUtf16(c.misses), pattern), false) << c.name;
        }
    }
    for (const test::SqlLikeCase& c : test::sqlLikeCases) {
        if (!c.quick || c.text.find('\0') != std::string::npos)
            continue;
        const QString text = QString::fromUtf8(c.text.data(), qsizetype(c.text.size()));
        EXPECT_EQ(like("selvaro_like", text, QString::fromUtf8(c.pattern)), c.matches) << c.name;
    }
    EXPECT_EQ(like("selvaro_like", u"Đu\u031B\u0301c"_s, u"đức"_s), true) << "decomposed text composes";
    EXPECT_TRUE(server->query(u"select selvaro_like($1, '*')"_s, {QVariant()}).first().first().isNull());
}

// A database whose functions an older program installed gets this program's when a data set of
// it is opened: translated statements call functions the older one did not have.
TEST_F(ServerTest, OpeningADataSetReplacesOlderFunctions)
{
    const auto functionsInstalled = [&] {
        return server
            ->query(u"select obj_description(n.oid, 'pg_namespace'), count(p.oid) from pg_namespace n "
                    "left join pg_proc p on p.pronamespace = n.oid and p.proname = 'selvaro_within' "
                    "where n.nspname = 'selvaro' group by n.oid"_s)
            .value(0);
    };
    db::pg::installProgramFunctions(*server);
    db::pg::dataset::drop(*server, u"cu"_s);
    db::pg::dataset::create(*server, u"cu"_s);
    server->exec(u"drop function selvaro.selvaro_within(text, text, text)"_s);
    server->exec(u"comment on schema selvaro is 'Selvaro functions 1'"_s);

    db::pg::openDataSet(suiteConnection(), u"cu"_s);
    const QString current = u"Selvaro functions "_s + QString::number(db::pg::FunctionsVersion);
    EXPECT_EQ(functionsInstalled(), (QVariantList{current, qlonglong(2)}));

    // A newer program's functions are left as they are.
    server->exec(u"comment on schema selvaro is 'Selvaro functions 99'"_s);
    server->exec(u"drop function selvaro.selvaro_within(text, text, text)"_s);
    db::pg::openDataSet(suiteConnection(), u"cu"_s);
    EXPECT_EQ(functionsInstalled(), (QVariantList{u"Selvaro functions 99"_s, qlonglong(1)}));
    db::pg::installProgramFunctions(*server);
    db::pg::dataset::drop(*server, u"cu"_s);
}

} // namespace
