// The Jet SQL compiler: any statement text is translated or refused with jetsql::SyntaxError.
#include "fuzz_input.h"

#include "platform/jetsql/translator.h"

namespace {

class NoCatalog : public jetsql::Catalog
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
        jetsql::translateStatement(sql, catalog);
    } catch (const jetsql::SyntaxError&) {
    }
    try {
        jetsql::translateCriterion(sql, catalog);
    } catch (const jetsql::SyntaxError&) {
    }
    return 0;
}
