// The Jet SQL compiler: any statement text is translated or refused with jetsql::SyntaxError, for
// SQLite and for a server alike.
#include "fuzz_input.h"

#include "platform/jetsql/translator.h"

namespace {

class NoCatalog : public jetsql::Catalog
{
public:
    explicit NoCatalog(jetsql::Dialect dialect) : m_dialect(dialect) {}
    jetsql::Dialect dialect() const override { return m_dialect; }
    std::optional<QString> storedQuery(const QString&) const override { return std::nullopt; }
    QString attach(const QString&) override { return QStringLiteral("ext1"); }
    QStringList columns(const QString&, const QString&) const override
    {
        return {QStringLiteral("id"), QStringLiteral("ten")};
    }

private:
    jetsql::Dialect m_dialect;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString sql = fuzz::text(data, size);
    for (const jetsql::Dialect dialect : {jetsql::Dialect::SQLite, jetsql::Dialect::PostgreSQL}) {
        NoCatalog catalog(dialect);
        try {
            jetsql::translateStatement(sql, catalog);
        } catch (const jetsql::SyntaxError&) {
        }
        try {
            jetsql::translateCriterion(sql, catalog);
        } catch (const jetsql::SyntaxError&) {
        }
    }
    return 0;
}
