// Reading report files: settings, columns, the HTML blocks, and the complaints about bad ones.
#include "files.h"
#include "platform/report/report_error.h"
#include "platform/report/report_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace report;

namespace {

const QString minimal = u"[report]\nsource = incvden\n[columns]\nstt | Số | 1\n"_s;

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
    const ReportFile file = ReportFile::parse(uR"(# comment
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
)"_s,
                                              u"x.rpt"_s);
    // Title, source, font, page number and continued groups; order, grouping and its caption's names;
    // then page size, orientation, margins, font size and page number alignment.
    EXPECT_EQ((QStringList{file.title, file.source, file.fontFamily,
                           file.pageNumber.render({{u"page"_s, u"2"_s}, {u"pages"_s, u"7"_s}}), file.groupContinued}),
              (QStringList{"Lịch làm việc", "inlich", "Noto Sans", "2 / 7", "(tiếp)"}));
    EXPECT_EQ(std::tuple(file.order, file.groupBy, file.groupCaption.names()),
              std::tuple(QStringList{"ngaychuan", "giochuan"}, QStringList{"ngaychuan"}, QStringList{"thu", "ngay"}));
    EXPECT_EQ(
        std::tuple(file.pageSize, file.orientation, file.margins, file.fontSize, file.pageNumberAlign),
        std::tuple(QPageSize::A3, QPageLayout::Portrait, QMarginsF(20, 15, 10, 5), 9.5, Qt::Alignment(Qt::AlignRight)));

    // field|cell names|caption|width|alignment|line
    QStringList columns;
    for (const ReportColumn& c : file.columns)
        columns << u"%1|%2|%3|%4|%5|%6"_s.arg(c.field, c.cell.names().join(u','), c.caption)
                       .arg(c.width)
                       .arg(int(c.align))
                       .arg(c.line);
    EXPECT_EQ(columns, (QStringList{u"gio||Giờ|6|%1|19"_s.arg(int(Qt::AlignHCenter)),
                                    u"|ndung,diadiem|Nội dung\nvà địa điểm|30.5|%1|20"_s.arg(int(Qt::AlignLeft)),
                                    u"ghichu||Ghi chú|1|%1|21"_s.arg(int(Qt::AlignRight)),
                                    u"thanhphan|||1|%1|22"_s.arg(int(Qt::AlignLeft))}));

    EXPECT_EQ(file.heading.render({{u"tendonvi"_s, u"A & B"_s}}), u"<p>A &amp; B</p>\n[note] stays HTML"_s);
    EXPECT_EQ(file.closing.render({{u"row_count"_s, u"12"_s}}), u"<p>12</p>"_s);
}

TEST(ReportFile, SettingsNotGivenTakeTheirDefaults)
{
    const ReportFile file = ReportFile::parse(minimal, u"x.rpt"_s);
    EXPECT_EQ(std::tuple(file.pageSize, file.orientation, file.margins),
              std::tuple(QPageSize::A4, QPageLayout::Landscape, QMarginsF(15, 12, 12, 12)));
    EXPECT_EQ(std::tuple(file.order, file.groupBy, file.heading.render({})),
              std::tuple(QStringList(), QStringList(), QString()));
    EXPECT_TRUE(file.pageNumber.isEmpty());
    const ReportFile oneMargin = ReportFile::parse(u"[report]\nsource = a\nmargins = 7\n[columns]\nb\n"_s, u"x.rpt"_s);
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
    EXPECT_EQ(codeOf([&] { ReportFile::parse(c.text, u"brtest.rpt"_s); }, &message), ReportErrorCode::FileSyntax)
        << c.what;
    EXPECT_TRUE(message.startsWith(u"File báo cáo brtest.rpt"_s)) << message.toStdString();
    if (c.line > 0)
        EXPECT_TRUE(message.contains(u"dòng %1:"_s.arg(c.line))) << c.what << ": " << message.toStdString();
    else
        EXPECT_FALSE(message.contains(u"dòng"_s)) << c.what << ": " << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReportFileRefuses,
    testing::Values(
        SyntaxCase{"unknown section", u"[report]\nsource = a\n[cot]\n"_s, 3},
        SyntaxCase{"unknown setting", u"[report]\nsource = a\nsorce = b\n"_s, 3},
        SyntaxCase{"setting without =", u"[report]\nsource a\n"_s, 2},
        SyntaxCase{"text before any section", u"source = a\n"_s, 1},
        SyntaxCase{"section twice", u"[report]\nsource = a\n[columns]\nb\n[report]\n"_s, 5},
        SyntaxCase{"bad page size", u"[report]\nsource = a\npage = B9\n"_s, 3},
        SyntaxCase{"bad orientation", u"[report]\nsource = a\norientation = ngang\n"_s, 3},
        SyntaxCase{"column numbers neither yes nor no", u"[report]\nsource = a\ncolumn_numbers = có\n"_s, 3},
        SyntaxCase{"keep rows neither yes nor no", u"[report]\nsource = a\nkeep_rows = 1\n"_s, 3},
        SyntaxCase{"three margins", u"[report]\nsource = a\nmargins = 1 2 3\n"_s, 3},
        SyntaxCase{"negative margin", u"[report]\nsource = a\nmargins = -1\n"_s, 3},
        SyntaxCase{"font size not a number", u"[report]\nsource = a\nfont_size = lớn\n"_s, 3},
        SyntaxCase{"bad page number alignment", u"[report]\nsource = a\npage_number_align = giữa\n"_s, 3},
        SyntaxCase{"bad order column", u"[report]\nsource = a\norder = ngay chuan\n"_s, 3},
        SyntaxCase{"unclosed section in a caption", u"[report]\nsource = a\ngroup_caption = {{#thu}}\n"_s, 3},
        SyntaxCase{"width not a number", u"[report]\nsource = a\n[columns]\nb | B | rộng\n"_s, 4},
        SyntaxCase{"width zero", u"[report]\nsource = a\n[columns]\nb | B | 0\n"_s, 4},
        SyntaxCase{"bad alignment", u"[report]\nsource = a\n[columns]\nb | B | 1 | giữa\n"_s, 4},
        SyntaxCase{"too many parts", u"[report]\nsource = a\n[columns]\nb | B | 1 | left | x\n"_s, 4},
        SyntaxCase{"column name with a blank", u"[report]\nsource = a\n[columns]\nso cv | B\n"_s, 4},
        SyntaxCase{"unclosed section in a cell", u"[report]\nsource = a\n[columns]\n{{#a}}x | B\n"_s, 4},
        SyntaxCase{"no source", u"[report]\ntitle = x\n[columns]\nb\n"_s, 0},
        SyntaxCase{"no column", u"[report]\nsource = a\n[columns]\n# none\n"_s, 0},
        SyntaxCase{"unclosed section in the heading", minimal + u"[heading]\n{{#lbltd1}}<p>\n"_s, 0}));

// Loading: a missing path or a folder is not found; text that is not UTF-8 is unreadable; a
// syntax error names the file read.
TEST(ReportFileLoad, BadFilesAreRefusedNamingThePathAndAWindowsPathFindsTheFile)
{
    QTemporaryDir dir;
    QString message;
    const QString path = dir.filePath(u"brcvden.rpt"_s);
    EXPECT_EQ(codeOf([&] { ReportFile::load(path); }, &message), ReportErrorCode::FileNotFound);
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    QDir(dir.path()).mkdir(u"brthumuc.rpt"_s);
    EXPECT_EQ(codeOf([&] { ReportFile::load(dir.filePath(u"brthumuc.rpt"_s)); }), ReportErrorCode::FileNotFound);
    writeFile(path, minimal.toUtf8() + QByteArray("\xC4\x90\xFF\xFE tcvn3 bytes\n"));
    EXPECT_EQ(codeOf([&] { ReportFile::load(path); }, &message), ReportErrorCode::FileUnreadable);
    EXPECT_TRUE(message.contains(u"UTF-8"_s)) << message.toStdString();
    const QString bad = dir.filePath(u"brsai.rpt"_s);
    writeFile(bad, "[report]\r\nsource = a\r\nkhong_co = 1\r\n");
    EXPECT_EQ(codeOf([&] { ReportFile::load(bad); }, &message), ReportErrorCode::FileSyntax);
    EXPECT_TRUE(message.contains(u"brsai.rpt, dòng 3"_s)) << message.toStdString();

    // A path with backslashes and other letter case finds the file; a byte order mark is skipped.
    QDir(dir.path()).mkdir(u"data"_s);
    writeFile(dir.filePath(u"data/brcvden.rpt"_s), "\xEF\xBB\xBF" + minimal.toUtf8());
    const ReportFile file = ReportFile::load(dir.path() + u"\\Data\\BRCVDEN.rpt"_s);
    EXPECT_EQ(file.path, dir.filePath(u"data/brcvden.rpt"_s));
    EXPECT_EQ(file.source, u"incvden"_s);
}

TEST(ReportFileLoad, FileWithoutReadPermissionIsUnreadable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"brcvden.rpt"_s);
    writeFile(path, minimal.toUtf8());
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    if (QFile(path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "this user reads files whatever their permissions";
    EXPECT_EQ(codeOf([&] { ReportFile::load(path); }), ReportErrorCode::FileUnreadable);
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
    EXPECT_EQ(std::tuple(file.source, file.columns.size(), !file.groupBy.isEmpty(), file.orientation, file.pageSize),
              std::tuple(QString::fromUtf8(c.source), c.columns, c.grouped, QPageLayout::Landscape, QPageSize::A4));
    EXPECT_TRUE(file.pageNumber.names().contains(u"page"_s));
    const QString heading = file.heading.render(
        {{u"tencaptren"_s, u"CẤP TRÊN"_s}, {u"tendonvi"_s, u"ĐƠN VỊ"_s}, {u"lbltd1"_s, u"(TIÊU ĐỀ)"_s}});
    for (const QString& part : {u"CẤP TRÊN"_s, u"ĐƠN VỊ"_s, u"(TIÊU ĐỀ)"_s})
        EXPECT_TRUE(heading.contains(part)) << part.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedReportFile,
                         testing::Values(ShippedReport{"brcvden.rpt", "incvden", 10, false},
                                         ShippedReport{"brcvdi.rpt", "incvdi", 8, false},
                                         ShippedReport{"brkehoach.rpt", "QrIn", 10, false},
                                         ShippedReport{"brlichtuan.rpt", "inlich", 7, true}));

} // namespace
