// The {{...}} templates of report files.
#include "platform/report/text_template.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report;

namespace {

TextTemplate compiled(const QString& text, TextTemplate::Escape escape)
{
    QString error;
    TextTemplate result = TextTemplate::compile(text, escape, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return result;
}

// Each template rendered with the given values, as a heading (Html) or a caption (None) uses it.
TEST(TextTemplate, RendersValuesEscapedSectionsAndMissingNames)
{
    using E = TextTemplate::Escape;
    const QString section = u"{{#thu}}{{thu}}, {{/thu}}{{^thu}}Ngày {{/thu}}{{ngay}}"_s;
    const QString flag = u"[{{ketthuc}}]{{#ketthuc}}xong{{/ketthuc}}"_s;
    const struct
    {
        const char* what;
        QString text;
        E escape;
        TemplateValues values;
        QString expected;
    } cases[] = {
        {"html escapes values and turns line breaks into br",
         u"<p>{{tendonvi}}</p>"_s,
         E::Html,
         {{u"tendonvi"_s, u"Công ty \"A&B\" <Hà Nội>\nchi nhánh 'Huế'"_s}},
         u"<p>Công ty &quot;A&amp;B&quot; &lt;Hà Nội&gt;<br/>chi nhánh &#39;Huế&#39;</p>"_s},
        {"plain text keeps values",
         u"{{thu}}, ngày {{ngay}}"_s,
         E::None,
         {{u"thu"_s, u"Thứ <hai> & 'ba'"_s}, {u"ngay"_s, u"06/01/2025"_s}},
         u"Thứ <hai> & 'ba', ngày 06/01/2025"_s},
        {"empty text hides a section", section, E::None, {{u"thu"_s, QString()}, {u"ngay"_s, u"1/2"_s}}, u"Ngày 1/2"_s},
        {"false hides a section", section, E::None, {{u"thu"_s, false}, {u"ngay"_s, u"1/2"_s}}, u"Ngày 1/2"_s},
        {"text shows a section", section, E::None, {{u"thu"_s, u"Thứ ba"_s}, {u"ngay"_s, u"1/2"_s}}, u"Thứ ba, 1/2"_s},
        {"true shows a section and prints nothing itself", flag, E::None, {{u"ketthuc"_s, true}}, u"[]xong"_s},
        {"false prints nothing either", flag, E::None, {{u"ketthuc"_s, false}}, u"[]"_s},
        {"a name without value prints nothing", u"<i>{{lbltd1}}</i>"_s, E::Html, {}, u"<i></i>"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compiled(c.text, c.escape).render(c.values), c.expected) << c.what;
}

TEST(TextTemplate, NamesListsEachNameOnceWithoutComments)
{
    const TextTemplate t =
        compiled(u"{{! ghi chú }}{{#a}}{{b}}{{/a}} {{{c}}} {{&d}} {{ b }}"_s, TextTemplate::Escape::Html);
    EXPECT_EQ(t.names(), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    EXPECT_FALSE(t.isConstant());
}

TEST(TextTemplate, UnclosedSectionIsRefusedWithTheEnginesReason)
{
    QString error;
    const TextTemplate t = TextTemplate::compile(u"{{#thu}} chưa đóng"_s, TextTemplate::Escape::None, &error);
    EXPECT_TRUE(t.isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(t.render({}), QString());
}

} // namespace
