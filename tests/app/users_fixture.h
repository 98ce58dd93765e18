#pragma once

#include "app/core/module1.h"
#include "platform/db/database.h"
#include "table_rows.h"
#include "template_file.h"

#include <QString>
#include <gtest/gtest.h>

// A reference file copied from the template into a fresh temporary folder, whose users table
// holds only the rows a test adds.
class UsersFixture : public test::TemplateCopy
{
public:
    UsersFixture() : TemplateCopy(QStringLiteral("vemotk.mdb"))
    {
        db().execute(QStringLiteral("DELETE * FROM nguoidung"));
    }

    // Adds a user; a null QString() is stored as Null.
    void addUser(const QString& hoten, const QString& tentrenmang, const QString& matkhau, const QString& quyenhan)
    {
        const auto value = [](const QString& s) { return s.isNull() ? QVariant() : QVariant(s); };
        test::insertRow(db(), QStringLiteral("nguoidung"),
                        {{QStringLiteral("hoten"), value(hoten)},
                         {QStringLiteral("tentrenmang"), value(tentrenmang)},
                         {QStringLiteral("matkhau"), value(matkhau)},
                         {QStringLiteral("quyenhan"), value(quyenhan)},
                         {QStringLiteral("cothesua"), QStringLiteral("C")}});
    }

    // A fresh snapshot "select * from nguoidung".
    db::Recordset users()
    {
        return db().openRecordset(QStringLiteral("select * from nguoidung"), db::RecordsetType::Snapshot);
    }
};
