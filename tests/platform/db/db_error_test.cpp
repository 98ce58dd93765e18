#include "platform/db/db_error.h"

#include <gtest/gtest.h>

TEST(DbError, CarriesNumberAndVietnameseText)
{
    const db::DbError e(db::errc::TableNotFound, QStringLiteral("Không tìm thấy bảng 'cvđến'"));
    EXPECT_EQ(e.number(), 3078);
    EXPECT_EQ(e.description(), QStringLiteral("Không tìm thấy bảng 'cvđến'"));
    EXPECT_EQ(QString::fromStdString(e.what()), e.description());
}
