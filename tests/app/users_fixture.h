#pragma once

#include "app/core/module1.h"
#include "common/user_password.h"
#include "platform/db/database.h"
#include "table_rows.h"
#include "template_file.h"

#include <QString>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A reference file copied from the template into a fresh temporary folder, whose users table
// holds only the rows a test adds.
class UsersFixture : public test::TemplateCopy
{
public:
    UsersFixture() : TemplateCopy(u"vemotk.mdb"_s) { db().execute(u"DELETE * FROM nguoidung"_s); }

    // Adds a user; a null QString() is stored as Null.
    void addUser(const QString& hoten, const QString& tentrenmang, const QString& matkhau, const QString& quyenhan)
    {
        const auto value = [](const QString& s) { return s.isNull() ? QVariant() : QVariant(s); };
        test::insertRow(db(), u"nguoidung"_s,
                        {{u"hoten"_s, value(hoten)},
                         {u"tentrenmang"_s, value(tentrenmang)},
                         {u"matkhau"_s, value(matkhau)},
                         {u"quyenhan"_s, value(quyenhan)},
                         {u"cothesua"_s, u"C"_s}});
    }

    // A fresh snapshot "select * from nguoidung".
    db::Recordset users() { return db().openRecordset(u"select * from nguoidung"_s, db::RecordsetType::Snapshot); }
};

// The users a login sees: every kind of stored password (clear, with a quote, Null, blank, a
// verifier) and of rights (none, several). The shared state is cleared before and after.
class LoginUsersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::resetModule1();
        fx.addUser(u"Nguyễn Văn An"_s, u"an"_s, u"matkhau1"_s, u"QT"_s);
        fx.addUser(u"Trần Thị Bình"_s, u"binh"_s, u"bi'nh99"_s, u"CB"_s);
        fx.addUser(u"Lê Cường"_s, QString(), QString(), u"LĐ"_s);
        fx.addUser(u"Phạm Dũng"_s, u"dung"_s, u"   "_s, u"CB"_s);
        fx.addUser(u"Hoàng Em"_s, u"em"_s, u"xyz"_s, QString());
        fx.addUser(u"Đỗ Giang"_s, u"giang"_s, common::makePasswordVerifier(u"Bi-Mat7"_s), u"QT - LĐ"_s);
    }
    void TearDown() override { app::resetModule1(); }

    UsersFixture fx;
};
