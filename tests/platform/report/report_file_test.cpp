// Reading report files: settings, columns, the HTML blocks, and the complaints about bad ones.
#include "files.h"
#include "platform/report/report_error.h"
#include "platform/report/report_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace report;

namespace {

const QString minimal = QStringLiteral("[report]\nsource = incvden\n[columns]\nstt | Số | 1\n");

using test::writeFile;

ReportErrorCode codeOf(const std::function<void()>& action, QString* message = nullptr)
{
    try {
        action();
    } catch (const ReportError& error) {
        if (message)
            *message = error.message();
        return error.code();
    }
    return ReportErrorCode::None;
}

TEST(ReportFile, ParsesSettingsColumnsAndBlocks)
{
    const ReportFile file = ReportFile::parse(QStringLiteral(R"(# comment
[report]
title = Lịch làm việc
source = inlich
order = ngaychuan, giochuan
page = A3
orientation = portrait
margins = 20 15 10 5
font = Noto Sans
font_size = 9.5
page_number = {{page}} / {{pages}}
page_number_align = right
group = ngaychuan
group_caption = {{thu}}, ngày {{ngay}}
group_continued = (tiếp)

[columns]
   # a comment inside columns
gio | Giờ | 6 | center
{{ndung}} ({{diadiem}}) | Nội dung\nvà địa điểm | 30.5
ghichu | Ghi chú | | right
thanhphan

[heading]
<p>{{tendonvi}}</p>
[note] stays HTML
[closing]
<p>{{row_count}}</p>
)"),
                                              QStringLiteral("x.rpt"));
    EXPECT_EQ(file.title, QStringLiteral("Lịch làm việc"));
    EXPECT_EQ(file.source, QStringLiteral("inlich"));
    EXPECT_EQ(file.order, (QStringList{QStringLiteral("ngaychuan"), QStringLiteral("giochuan")}));
    EXPECT_EQ(file.pageSize, QPageSize::A3);
    EXPECT_EQ(file.orientation, QPageLayout::Portrait);
    EXPECT_EQ(file.margins, QMarginsF(20, 15, 10, 5));
    EXPECT_EQ(file.fontFamily, QStringLiteral("Noto Sans"));
    EXPECT_DOUBLE_EQ(file.fontSize, 9.5);
    EXPECT_EQ(file.pageNumber.render(
                  {{QStringLiteral("page"), QStringLiteral("2")}, {QStringLiteral("pages"), QStringLiteral("7")}}),
              QStringLiteral("2 / 7"));
    EXPECT_EQ(file.pageNumberAlign, Qt::AlignRight);
    EXPECT_EQ(file.groupBy, QStringList{QStringLiteral("ngaychuan")});
    EXPECT_EQ(file.groupCaption.names(), (QStringList{QStringLiteral("thu"), QStringLiteral("ngay")}));
    EXPECT_EQ(file.groupContinued, QStringLiteral("(tiếp)"));

    ASSERT_EQ(file.columns.size(), 4);
    EXPECT_EQ(file.columns[0].field, QStringLiteral("gio"));
    EXPECT_EQ(file.columns[0].caption, QStringLiteral("Giờ"));
    EXPECT_EQ(file.columns[0].width, 6);
    EXPECT_EQ(file.columns[0].align, Qt::AlignHCenter);
    EXPECT_EQ(file.columns[0].line, 19);
    EXPECT_TRUE(file.columns[1].field.isEmpty());
    EXPECT_EQ(file.columns[1].cell.names(), (QStringList{QStringLiteral("ndung"), QStringLiteral("diadiem")}));
    EXPECT_EQ(file.columns[1].caption, QStringLiteral("Nội dung\nvà địa điểm"));
    EXPECT_EQ(file.columns[1].width, 30.5);
    EXPECT_EQ(file.columns[2].width, 1);
    EXPECT_EQ(file.columns[2].align, Qt::AlignRight);
    EXPECT_EQ(file.columns[3].field, QStringLiteral("thanhphan"));
    EXPECT_TRUE(file.columns[3].caption.isEmpty());
    EXPECT_EQ(file.columns[3].align, Qt::AlignLeft);

    EXPECT_EQ(file.heading.render({{QStringLiteral("tendonvi"), QStringLiteral("A & B")}}),
              QStringLiteral("<p>A &amp; B</p>\n[note] stays HTML"));
    EXPECT_EQ(file.closing.render({{QStringLiteral("row_count"), QStringLiteral("12")}}), QStringLiteral("<p>12</p>"));
}

TEST(ReportFile, SettingsNotGivenTakeTheirDefaults)
{
    const ReportFile file = ReportFile::parse(minimal, QStringLiteral("x.rpt"));
    EXPECT_EQ(file.pageSize, QPageSize::A4);
    EXPECT_EQ(file.orientation, QPageLayout::Landscape);
    EXPECT_TRUE(file.order.isEmpty());
    EXPECT_TRUE(file.groupBy.isEmpty());
    EXPECT_TRUE(file.pageNumber.isEmpty());
    EXPECT_TRUE(file.heading.render({}).isEmpty());
    EXPECT_EQ(file.margins, QMarginsF(15, 12, 12, 12));
    const ReportFile oneMargin =
        ReportFile::parse(QStringLiteral("[report]\nsource = a\nmargins = 7\n[columns]\nb\n"), QStringLiteral("x.rpt"));
    EXPECT_EQ(oneMargin.margins, QMarginsF(7, 7, 7, 7)); // one number serves all four sides
}

struct SyntaxCase
{
    const char* what;
    QString text;
    int line; // 0: the complaint concerns the whole file
};

class ReportFileRefuses : public testing::TestWithParam<SyntaxCase>
{
};

TEST_P(ReportFileRefuses, WithTheFileAndLine)
{
    const SyntaxCase& c = GetParam();
    QString message;
    EXPECT_EQ(codeOf([&] { ReportFile::parse(c.text, QStringLiteral("brtest.rpt")); }, &message),
              ReportErrorCode::FileSyntax)
        << c.what;
    EXPECT_TRUE(message.startsWith(QStringLiteral("File báo cáo brtest.rpt"))) << message.toStdString();
    if (c.line > 0)
        EXPECT_TRUE(message.contains(QStringLiteral("dòng %1:").arg(c.line)))
            << c.what << ": " << message.toStdString();
    else
        EXPECT_FALSE(message.contains(QStringLiteral("dòng"))) << c.what << ": " << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReportFileRefuses,
    testing::Values(
        SyntaxCase{"unknown section", QStringLiteral("[report]\nsource = a\n[cot]\n"), 3},
        SyntaxCase{"unknown setting", QStringLiteral("[report]\nsource = a\nsorce = b\n"), 3},
        SyntaxCase{"setting without =", QStringLiteral("[report]\nsource a\n"), 2},
        SyntaxCase{"text before any section", QStringLiteral("source = a\n"), 1},
        SyntaxCase{"section twice", QStringLiteral("[report]\nsource = a\n[columns]\nb\n[report]\n"), 5},
        SyntaxCase{"bad page size", QStringLiteral("[report]\nsource = a\npage = B9\n"), 3},
        SyntaxCase{"bad orientation", QStringLiteral("[report]\nsource = a\norientation = ngang\n"), 3},
        SyntaxCase{"column numbers neither yes nor no", QStringLiteral("[report]\nsource = a\ncolumn_numbers = có\n"),
                   3},
        SyntaxCase{"keep rows neither yes nor no", QStringLiteral("[report]\nsource = a\nkeep_rows = 1\n"), 3},
        SyntaxCase{"three margins", QStringLiteral("[report]\nsource = a\nmargins = 1 2 3\n"), 3},
        SyntaxCase{"negative margin", QStringLiteral("[report]\nsource = a\nmargins = -1\n"), 3},
        SyntaxCase{"font size not a number", QStringLiteral("[report]\nsource = a\nfont_size = lớn\n"), 3},
        SyntaxCase{"bad page number alignment", QStringLiteral("[report]\nsource = a\npage_number_align = giữa\n"), 3},
        SyntaxCase{"bad order column", QStringLiteral("[report]\nsource = a\norder = ngay chuan\n"), 3},
        SyntaxCase{"unclosed section in a caption", QStringLiteral("[report]\nsource = a\ngroup_caption = {{#thu}}\n"),
                   3},
        SyntaxCase{"width not a number", QStringLiteral("[report]\nsource = a\n[columns]\nb | B | rộng\n"), 4},
        SyntaxCase{"width zero", QStringLiteral("[report]\nsource = a\n[columns]\nb | B | 0\n"), 4},
        SyntaxCase{"bad alignment", QStringLiteral("[report]\nsource = a\n[columns]\nb | B | 1 | giữa\n"), 4},
        SyntaxCase{"too many parts", QStringLiteral("[report]\nsource = a\n[columns]\nb | B | 1 | left | x\n"), 4},
        SyntaxCase{"column name with a blank", QStringLiteral("[report]\nsource = a\n[columns]\nso cv | B\n"), 4},
        SyntaxCase{"unclosed section in a cell", QStringLiteral("[report]\nsource = a\n[columns]\n{{#a}}x | B\n"), 4},
        SyntaxCase{"no source", QStringLiteral("[report]\ntitle = x\n[columns]\nb\n"), 0},
        SyntaxCase{"no column", QStringLiteral("[report]\nsource = a\n[columns]\n# none\n"), 0},
        SyntaxCase{"unclosed section in the heading", minimal + QStringLiteral("[heading]\n{{#lbltd1}}<p>\n"), 0}));

// Loading: a missing path or a folder is not found; text that is not UTF-8 is unreadable; a
// syntax error names the file read.
TEST(ReportFileLoad, MissingFilesFoldersAndBadTextAreRefusedNamingThePath)
{
    QTemporaryDir dir;
    QString message;
    const QString path = dir.filePath(QStringLiteral("brcvden.rpt"));
    EXPECT_EQ(codeOf([&] { ReportFile::load(path); }, &message), ReportErrorCode::FileNotFound);
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    QDir(dir.path()).mkdir(QStringLiteral("brthumuc.rpt"));
    EXPECT_EQ(codeOf([&] { ReportFile::load(dir.filePath(QStringLiteral("brthumuc.rpt"))); }),
              ReportErrorCode::FileNotFound);
    writeFile(path, minimal.toUtf8() + QByteArray("\xC4\x90\xFF\xFE tcvn3 bytes\n"));
    EXPECT_EQ(codeOf([&] { ReportFile::load(path); }, &message), ReportErrorCode::FileUnreadable);
    EXPECT_TRUE(message.contains(QStringLiteral("UTF-8"))) << message.toStdString();
    const QString bad = dir.filePath(QStringLiteral("brsai.rpt"));
    writeFile(bad, "[report]\r\nsource = a\r\nkhong_co = 1\r\n");
    EXPECT_EQ(codeOf([&] { ReportFile::load(bad); }, &message), ReportErrorCode::FileSyntax);
    EXPECT_TRUE(message.contains(QStringLiteral("brsai.rpt, dòng 3"))) << message.toStdString();
}

TEST(ReportFileLoad, FileWithoutReadPermissionIsUnreadable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brcvden.rpt"));
    writeFile(path, minimal.toUtf8());
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "this user reads files whatever their permissions";
    EXPECT_EQ(codeOf([&] { ReportFile::load(path); }), ReportErrorCode::FileUnreadable);
}

TEST(ReportFileLoad, PathWithBackslashesAndOtherLetterCaseFindsTheFile)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("data"));
    writeFile(dir.filePath(QStringLiteral("data/brcvden.rpt")), "\xEF\xBB\xBF" + minimal.toUtf8());
    const ReportFile file = ReportFile::load(dir.path() + QStringLiteral("\\Data\\BRCVDEN.rpt"));
    EXPECT_EQ(file.path, dir.filePath(QStringLiteral("data/brcvden.rpt")));
    EXPECT_EQ(file.source, QStringLiteral("incvden")); // the byte order mark is skipped
}

struct ShippedReport
{
    const char* file;
    const char* source;
    int columns;
    bool grouped;
};

class ShippedReportFile : public testing::TestWithParam<ShippedReport>
{
};

TEST_P(ShippedReportFile, ReadsItsSourceColumnsAndOrganisationHeading)
{
    const ShippedReport& c = GetParam();
    const ReportFile file = ReportFile::load(QStringLiteral(SELVARO_DATA_DIR "/") + QString::fromUtf8(c.file));
    EXPECT_EQ(file.source, QString::fromUtf8(c.source));
    EXPECT_EQ(file.columns.size(), c.columns);
    EXPECT_EQ(!file.groupBy.isEmpty(), c.grouped);
    EXPECT_EQ(file.orientation, QPageLayout::Landscape);
    EXPECT_EQ(file.pageSize, QPageSize::A4);
    EXPECT_TRUE(file.pageNumber.names().contains(QStringLiteral("page")));
    const QString heading = file.heading.render({{QStringLiteral("tencaptren"), QStringLiteral("CẤP TRÊN")},
                                                 {QStringLiteral("tendonvi"), QStringLiteral("ĐƠN VỊ")},
                                                 {QStringLiteral("lbltd1"), QStringLiteral("(TIÊU ĐỀ)")}});
    EXPECT_TRUE(heading.contains(QStringLiteral("CẤP TRÊN")));
    EXPECT_TRUE(heading.contains(QStringLiteral("ĐƠN VỊ")));
    EXPECT_TRUE(heading.contains(QStringLiteral("(TIÊU ĐỀ)")));
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedReportFile,
                         testing::Values(ShippedReport{"brcvden.rpt", "incvden", 10, false},
                                         ShippedReport{"brcvdi.rpt", "incvdi", 8, false},
                                         ShippedReport{"brkehoach.rpt", "QrIn", 10, false},
                                         ShippedReport{"brlichtuan.rpt", "inlich", 7, true}));

} // namespace
