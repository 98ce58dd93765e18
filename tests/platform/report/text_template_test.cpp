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

TEST(TextTemplate, HtmlEscapesValuesAndTurnsLineBreaksIntoBr)
{
    const TextTemplate t = compiled(u"<p>{{tendonvi}}</p>"_s, TextTemplate::Escape::Html);
    EXPECT_EQ(t.render({{u"tendonvi"_s, u"Công ty \"A&B\" <Hà Nội>\nchi nhánh 'Huế'"_s}}),
              u"<p>Công ty &quot;A&amp;B&quot; &lt;Hà Nội&gt;<br/>chi nhánh &#39;Huế&#39;</p>"_s);
}

TEST(TextTemplate, PlainTextKeepsValuesAsTheyAre)
{
    const TextTemplate t = compiled(u"{{thu}}, ngày {{ngay}}"_s, TextTemplate::Escape::None);
    EXPECT_EQ(t.render({{u"thu"_s, u"Thứ <hai> & 'ba'"_s}, {u"ngay"_s, u"06/01/2025"_s}}),
              u"Thứ <hai> & 'ba', ngày 06/01/2025"_s);
}

TEST(TextTemplate, EmptyTextAndFalseHideASectionAndShowItsInverse)
{
    const TextTemplate t =
        compiled(u"{{#thu}}{{thu}}, {{/thu}}{{^thu}}Ngày {{/thu}}{{ngay}}"_s, TextTemplate::Escape::None);
    EXPECT_EQ(t.render({{u"thu"_s, QString()}, {u"ngay"_s, u"1/2"_s}}), u"Ngày 1/2"_s);
    EXPECT_EQ(t.render({{u"thu"_s, QVariant(false)}, {u"ngay"_s, u"1/2"_s}}), u"Ngày 1/2"_s);
    EXPECT_EQ(t.render({{u"thu"_s, u"Thứ ba"_s}, {u"ngay"_s, u"1/2"_s}}), u"Thứ ba, 1/2"_s);
}

TEST(TextTemplate, TrueShowsASectionAndPrintsNothingItself)
{
    const TextTemplate t = compiled(u"[{{ketthuc}}]{{#ketthuc}}xong{{/ketthuc}}"_s, TextTemplate::Escape::None);
    EXPECT_EQ(t.render({{u"ketthuc"_s, QVariant(true)}}), u"[]xong"_s);
    EXPECT_EQ(t.render({{u"ketthuc"_s, QVariant(false)}}), u"[]"_s);
}

TEST(TextTemplate, NamesListsEachNameOnceWithoutComments)
{
    const TextTemplate t =
        compiled(u"{{! ghi chú }}{{#a}}{{b}}{{/a}} {{{c}}} {{&d}} {{ b }}"_s, TextTemplate::Escape::Html);
    EXPECT_EQ(t.names(), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    EXPECT_FALSE(t.isConstant());
}

TEST(TextTemplate, ANameWithoutValuePrintsNothing)
{
    const TextTemplate t = compiled(u"<i>{{lbltd1}}</i>"_s, TextTemplate::Escape::Html);
    EXPECT_EQ(t.render({}), u"<i></i>"_s);
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
