// The Jet SQL compiler: any statement text is translated or refused with DbError.
#include "fuzz_input.h"

#include "platform/db/db_error.h"
#include "platform/db/jet_translator.h"

namespace {

class NoCatalog : public db::jet::Catalog
{
public:
    std::optional<QString> storedQuery(const QString&) const override { return std::nullopt; }
    QString attach(const QString&) override { return QStringLiteral("ext1"); }
    QStringList columns(const QString&, const QString&) const override
    {
        return {QStringLiteral("id"), QStringLiteral("ten")};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NoCatalog catalog;
    const QString sql = fuzz::text(data, size);
    try {
        db::jet::translateStatement(sql, catalog);
    } catch (const db::DbError&) {
    }
    try {
        db::jet::translateCriterion(sql, catalog);
    } catch (const db::DbError&) {
    }
    return 0;
}
