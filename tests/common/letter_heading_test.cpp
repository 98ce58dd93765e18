#include "common/letter_heading.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kCorrespondents{u"UBND tỉnh Bắc Ninh"_s, u"Sở Nội vụ"_s, u"Sở Nội vụ tỉnh Hà Nam"_s,
                                  u"Sở Tài chính"_s, u"Bộ Nội vụ"_s};

struct HeadingCase
{
    const char* name;
    const char* text;
    const char* number;
    QDate date;
    const char* sender;
};

using LetterHeadingTest = testing::TestWithParam<HeadingCase>;

TEST_P(LetterHeadingTest, ReadsWhatTheHeadingShows)
{
    const HeadingCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    // Decomposed letters (marks typed after their base letter) read as the composed ones.
    for (const QString& typed : {text, text.normalized(QString::NormalizationForm_D)}) {
        const common::LetterHeading heading = common::readLetterHeading(typed, kCorrespondents);
        EXPECT_EQ(std::tuple(heading.number, heading.date, heading.sender),
                  std::tuple(QString::fromUtf8(c.number), c.date, QString::fromUtf8(c.sender)))
            << (typed == text ? "composed" : "decomposed");
    }
}

const char* const kTwoColumns = "UBND TỈNH BẮC NINH CỘNG HÒA XÃ HỘI CHỦ NGHĨA VIỆT NAM\n"
                                "SỞ NỘI VỤ Độc lập - Tự do - Hạnh phúc\n"
                                "Số: 123/SNV-VP Bắc Ninh, ngày 05 tháng 3 năm 2026\n"
                                "Căn cứ Quyết định của Bộ Nội vụ ngày 12 tháng 01 năm 2020;";

INSTANTIATE_TEST_SUITE_P(
    Texts, LetterHeadingTest,
    testing::Values(
        HeadingCase{"TwoColumnHeading", kTwoColumns, "123/SNV-VP", QDate(2026, 3, 5), "Sở Nội vụ"},
        HeadingCase{"NumberWithYearAndBlanks", "SỞ TÀI CHÍNH\nSố 45 / 2026 / NĐ – CP\nHà Nội, ngày 1 tháng 12 năm 2025",
                    "45/2026/NĐ-CP", QDate(2025, 12, 1), "Sở Tài chính"},
        // A form left to fill and a count in the body give no number; the body's date is kept
        // when no place-and-date line exists.
        HeadingCase{"NoNumberToRead", "SỞ TÀI CHÍNH\nSố: ..../BC-UBND\nTổng số: 5 người, ngày 02 tháng 4 năm 2026", "",
                    QDate(2026, 4, 2), "Sở Tài chính"},
        HeadingCase{"ImpossibleDateSkipped", "Số: 7/TB\nHà Nội, ngày 31 tháng 2 năm 2026, ngày 30 tháng 1 năm 2026",
                    "7/TB", QDate(2026, 1, 30), ""},
        // The longer name ending at the same place wins; a name split over lines is still found.
        HeadingCase{"LongerNameAcrossLines", "SỞ NỘI VỤ\nTỈNH HÀ NAM\nSố: 9/SNV", "9/SNV", QDate(),
                    "Sở Nội vụ tỉnh Hà Nam"},
        // Tone marks count: "Sở Nội vũ" is not "Sở Nội vụ"; whole words only.
        HeadingCase{"ToneMarksRespected", "SỞ NỘI VŨ\nSố: 1/X", "1/X", QDate(), ""},
        HeadingCase{"WholeWordsOnly", "SỞ NỘI VỤA\nSố: 2/X", "2/X", QDate(), ""},
        // A name that appears only in the body, after the number line, is not the sender.
        HeadingCase{"BodyNameIgnored", "Số: 3/X\nKính gửi: Bộ Nội vụ", "3/X", QDate(), ""},
        HeadingCase{"EmptyText", "", "", QDate(), ""}),
    [](const testing::TestParamInfo<HeadingCase>& info) { return std::string(info.param.name); });

} // namespace
