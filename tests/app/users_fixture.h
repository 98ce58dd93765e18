#pragma once

#include "app/core/module1.h"
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
