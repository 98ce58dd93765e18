#pragma once

#include "app/core/module1.h"
#include "platform/db/database.h"
#include "template_file.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A reference file copied from the template into a fresh temporary folder, whose users table
// holds only the rows a test adds.
class UsersFixture
{
public:
    UsersFixture() : m_path(m_dir.filePath(QStringLiteral("vemotk.mdb"))), m_db(test::copyTemplate(m_path))
    {
        m_db.execute(QStringLiteral("DELETE * FROM nguoidung"));
    }

    // Adds a user; a null QString() is stored as Null.
    void addUser(const QString& hoten, const QString& tentrenmang, const QString& matkhau, const QString& quyenhan)
    {
        m_db.execute(QStringLiteral("INSERT INTO nguoidung (hoten, tentrenmang, matkhau, quyenhan, cothesua) "
                                    "VALUES (%1, %2, %3, %4, 'C')")
                         .arg(value(hoten), value(tentrenmang), value(matkhau), value(quyenhan)));
    }

    // A fresh snapshot "select * from nguoidung".
    db::Recordset users()
    {
        return m_db.openRecordset(QStringLiteral("select * from nguoidung"), db::RecordsetType::Snapshot);
    }

    QString path() const { return m_path; }
    db::Database& database() { return m_db; }

private:
    static QString value(const QString& s)
    {
        if (s.isNull())
            return QStringLiteral("Null");
        QString doubled = s;
        doubled.replace(QLatin1Char('\''), QLatin1String("''"));
        return QLatin1Char('\'') + doubled + QLatin1Char('\'');
    }

    QTemporaryDir m_dir;
    QString m_path;
    db::Database m_db;
};
