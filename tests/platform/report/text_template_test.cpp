// The {{...}} templates of report files.
#include "platform/report/text_template.h"

#include <gtest/gtest.h>

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
    const TextTemplate t = compiled(QStringLiteral("<p>{{tendonvi}}</p>"), TextTemplate::Escape::Html);
    EXPECT_EQ(t.render({{QStringLiteral("tendonvi"), QStringLiteral("Công ty \"A&B\" <Hà Nội>\nchi nhánh 'Huế'")}}),
              QStringLiteral("<p>Công ty &quot;A&amp;B&quot; &lt;Hà Nội&gt;<br/>chi nhánh &#39;Huế&#39;</p>"));
}

TEST(TextTemplate, PlainTextKeepsValuesAsTheyAre)
{
    const TextTemplate t = compiled(QStringLiteral("{{thu}}, ngày {{ngay}}"), TextTemplate::Escape::None);
    EXPECT_EQ(t.render({{QStringLiteral("thu"), QStringLiteral("Thứ <hai> & 'ba'")},
                        {QStringLiteral("ngay"), QStringLiteral("06/01/2025")}}),
              QStringLiteral("Thứ <hai> & 'ba', ngày 06/01/2025"));
}

TEST(TextTemplate, EmptyTextAndFalseHideASectionAndShowItsInverse)
{
    const TextTemplate t =
        compiled(QStringLiteral("{{#thu}}{{thu}}, {{/thu}}{{^thu}}Ngày {{/thu}}{{ngay}}"), TextTemplate::Escape::None);
    EXPECT_EQ(t.render({{QStringLiteral("thu"), QString()}, {QStringLiteral("ngay"), QStringLiteral("1/2")}}),
              QStringLiteral("Ngày 1/2"));
    EXPECT_EQ(t.render({{QStringLiteral("thu"), QVariant(false)}, {QStringLiteral("ngay"), QStringLiteral("1/2")}}),
              QStringLiteral("Ngày 1/2"));
    EXPECT_EQ(
        t.render({{QStringLiteral("thu"), QStringLiteral("Thứ ba")}, {QStringLiteral("ngay"), QStringLiteral("1/2")}}),
        QStringLiteral("Thứ ba, 1/2"));
}

TEST(TextTemplate, TrueShowsASectionAndPrintsNothingItself)
{
    const TextTemplate t =
        compiled(QStringLiteral("[{{ketthuc}}]{{#ketthuc}}xong{{/ketthuc}}"), TextTemplate::Escape::None);
    EXPECT_EQ(t.render({{QStringLiteral("ketthuc"), QVariant(true)}}), QStringLiteral("[]xong"));
    EXPECT_EQ(t.render({{QStringLiteral("ketthuc"), QVariant(false)}}), QStringLiteral("[]"));
}

TEST(TextTemplate, NamesListsEachNameOnceWithoutComments)
{
    const TextTemplate t =
        compiled(QStringLiteral("{{! ghi chú }}{{#a}}{{b}}{{/a}} {{{c}}} {{&d}} {{ b }}"), TextTemplate::Escape::Html);
    EXPECT_EQ(t.names(),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_FALSE(t.isConstant());
}

TEST(TextTemplate, ANameWithoutValuePrintsNothing)
{
    const TextTemplate t = compiled(QStringLiteral("<i>{{lbltd1}}</i>"), TextTemplate::Escape::Html);
    EXPECT_EQ(t.render({}), QStringLiteral("<i></i>"));
}

TEST(TextTemplate, UnclosedSectionIsRefusedWithTheEnginesReason)
{
    QString error;
    const TextTemplate t =
        TextTemplate::compile(QStringLiteral("{{#thu}} chưa đóng"), TextTemplate::Escape::None, &error);
    EXPECT_TRUE(t.isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(t.render({}), QString());
}

} // namespace
