// The criteria language: whatever is typed in a search box, the condition built from it is Jet SQL
// the translator accepts (a criterion it refuses is told to the user instead).
#include "fuzz_input.h"

#include "common/criteria.h"
#include "common/dates.h"
#include "platform/jetsql/translator.h"

#include <cstdio>

namespace {

class NoCatalog : public jetsql::Catalog
{
public:
    std::optional<QString> storedQuery(const QString&) const override { return std::nullopt; }
    QString attach(const QString&) override { return QStringLiteral("ext1"); }
    QStringList columns(const QString&, const QString&) const override { return {}; }
};

void mustTranslate(const QString& condition)
{
    if (condition.isEmpty())
        return;
    NoCatalog catalog;
    try {
        jetsql::translateCriterion(condition, catalog);
    } catch (const jetsql::SyntaxError&) {
        std::fprintf(stderr, "refused: %s\n", qPrintable(condition));
        __builtin_trap(); // a criterion the builder accepted must be valid Jet SQL
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString typed = fuzz::text(data, size);
    QString condition;
    qint16 count = 0;
    QString status;
    common::appendNumberCriterion(typed, QStringLiteral("[stt]"), condition, count, status);
    mustTranslate(condition);
    condition.clear();
    count = 0;
    if (common::appendTextCriterion(typed, QStringLiteral("[noigui]"), condition, count))
        mustTranslate(condition);
    // The date boxes hand over only texts that passed the date check.
    condition.clear();
    count = 0;
    common::appendDateRange(common::parseDate(typed.left(10)), common::parseDate(typed.mid(10)),
                            QStringLiteral("[ng_denchuan]"), condition, count);
    mustTranslate(condition);
    return 0;
}
