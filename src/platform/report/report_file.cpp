#include "report_file.h"

#include "report_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace report {

namespace {

enum class Section
{
    None,
    Report,
    Columns,
    Cover,
    Heading,
    Closing
};

Section sectionNamed(const QString& name)
{
    const QString n = name.toLower();
    if (n == u"report")
        return Section::Report;
    if (n == u"columns")
        return Section::Columns;
    if (n == u"cover")
        return Section::Cover;
    if (n == u"heading")
        return Section::Heading;
    if (n == u"closing")
        return Section::Closing;
    return Section::None;
}

bool isColumnName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^[\p{L}_][\p{L}\p{N}_]*$)"));
    return pattern.match(name).hasMatch();
}

// Reads one report file's lines; every complaint names the file and the line.
class Parser
{
public:
    Parser(const QString& fileName) : m_fileName(fileName) {}

    ReportFile parse(const QString& text);

private:
    [[noreturn]] void fail(const QString& problem) const
    {
        const QString where =
            m_line > 0 ? QStringLiteral("File báo cáo %1, dòng %2: ").arg(m_fileName, QString::number(m_line))
                       : QStringLiteral("File báo cáo %1: ").arg(m_fileName);
        throw ReportError(ReportErrorCode::FileSyntax, where + problem);
    }

    TextTemplate compile(const QString& text, TextTemplate::Escape escape) const
    {
        QString error;
        TextTemplate result = TextTemplate::compile(text, escape, &error);
        if (!error.isEmpty())
            fail(QStringLiteral("mẫu {{...}} không đúng: %1").arg(error));
        return result;
    }

    void setting(const QString& line);
    bool yesNo(const QString& key, const QString& value) const;
    void column(const QString& line);
    QStringList columnList(const QString& value) const;
    Qt::Alignment alignment(const QString& value) const;

    QString m_fileName;
    int m_line = 0;
    ReportFile m_file;
};

QStringList Parser::columnList(const QString& value) const
{
    QStringList names;
    for (const QString& part : value.split(u',')) {
        const QString name = part.trimmed();
        if (!isColumnName(name))
            fail(QStringLiteral("\"%1\" không phải tên cột").arg(name));
        names.append(name);
    }
    return names;
}

Qt::Alignment Parser::alignment(const QString& value) const
{
    const QString v = value.trimmed().toLower();
    if (v.isEmpty() || v == u"left")
        return Qt::AlignLeft;
    if (v == u"center" || v == u"centre")
        return Qt::AlignHCenter;
    if (v == u"right")
        return Qt::AlignRight;
    fail(QStringLiteral("căn lề \"%1\" không dùng được (left, center, right)").arg(value.trimmed()));
}

bool Parser::yesNo(const QString& key, const QString& value) const
{
    if (value.toLower() == u"yes")
        return true;
    if (value.toLower() != u"no")
        fail(key + QStringLiteral(" phải là yes (có) hoặc no (không)"));
    return false;
}

void Parser::setting(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        fail(QStringLiteral("cần dạng tên = giá trị: %1").arg(line.trimmed()));
    const QString key = line.left(equals).trimmed().toLower();
    const QString value = line.mid(equals + 1).trimmed();

    if (key == u"title") {
        m_file.title = value;
    } else if (key == u"source") {
        if (value.isEmpty())
            fail(QStringLiteral("source cần tên bảng in hoặc truy vấn"));
        m_file.source = value;
        m_file.sourceLine = m_line;
    } else if (key == u"order") {
        m_file.order = value.isEmpty() ? QStringList() : columnList(value);
        m_file.orderLine = m_line;
    } else if (key == u"page") {
        static const QList<QPair<QString, QPageSize::PageSizeId>> sizes{
            {QStringLiteral("a3"), QPageSize::A3},       {QStringLiteral("a4"), QPageSize::A4},
            {QStringLiteral("a5"), QPageSize::A5},       {QStringLiteral("letter"), QPageSize::Letter},
            {QStringLiteral("legal"), QPageSize::Legal},
        };
        const auto it =
            std::find_if(sizes.begin(), sizes.end(), [&](const auto& size) { return size.first == value.toLower(); });
        if (it == sizes.end())
            fail(QStringLiteral("khổ giấy \"%1\" không dùng được (A3, A4, A5, Letter, Legal)").arg(value));
        m_file.pageSize = it->second;
    } else if (key == u"orientation") {
        if (value.toLower() == u"landscape")
            m_file.orientation = QPageLayout::Landscape;
        else if (value.toLower() == u"portrait")
            m_file.orientation = QPageLayout::Portrait;
        else
            fail(QStringLiteral("hướng giấy phải là landscape (ngang) hoặc portrait (dọc)"));
    } else if (key == u"margins") {
        QList<double> numbers;
        for (const QString& part : value.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            bool ok = false;
            const double mm = part.toDouble(&ok);
            if (!ok || mm < 0 || mm > 100) {
                numbers.clear();
                break;
            }
            numbers.append(mm);
        }
        if (numbers.size() == 1)
            m_file.margins = QMarginsF(numbers[0], numbers[0], numbers[0], numbers[0]);
        else if (numbers.size() == 4)
            m_file.margins = QMarginsF(numbers[0], numbers[1], numbers[2], numbers[3]);
        else
            fail(QStringLiteral("margins cần 1 hoặc 4 số milimét từ 0 đến 100 (trái trên phải dưới)"));
    } else if (key == u"font") {
        if (value.isEmpty())
            fail(QStringLiteral("font cần tên phông chữ"));
        m_file.fontFamily = value;
    } else if (key == u"font_size") {
        bool ok = false;
        const double size = value.toDouble(&ok);
        if (!ok || size < 4 || size > 72)
            fail(QStringLiteral("font_size cần cỡ chữ từ 4 đến 72"));
        m_file.fontSize = size;
    } else if (key == u"page_number") {
        m_file.pageNumber = compile(value, TextTemplate::Escape::None);
    } else if (key == u"page_number_align") {
        m_file.pageNumberAlign = alignment(value);
    } else if (key == u"group") {
        m_file.groupBy = value.isEmpty() ? QStringList() : columnList(value);
        m_file.groupLine = m_line;
    } else if (key == u"group_caption") {
        m_file.groupCaption = compile(value, TextTemplate::Escape::None);
        m_file.groupCaptionLine = m_line;
    } else if (key == u"group_continued") {
        m_file.groupContinued = value;
    } else if (key == u"column_numbers") {
        m_file.columnNumbers = yesNo(key, value);
    } else if (key == u"keep_rows") {
        m_file.keepRows = yesNo(key, value);
    } else {
        fail(QStringLiteral("không có thiết lập \"%1\"").arg(key));
    }
}

void Parser::column(const QString& line)
{
    const QStringList parts = line.split(u'|');
    if (parts.size() > 4)
        fail(QStringLiteral("cột cần dạng cột | tiêu đề | độ rộng | căn lề"));
    ReportColumn column;
    column.line = m_line;
    const QString spec = parts[0].trimmed();
    if (spec.contains(QLatin1String("{{"))) {
        column.cell = compile(spec, TextTemplate::Escape::None);
    } else if (isColumnName(spec)) {
        column.field = spec;
    } else {
        fail(QStringLiteral("\"%1\" không phải tên cột hay mẫu {{...}}").arg(spec));
    }
    column.caption = parts.value(1).trimmed().replace(QLatin1String("\\n"), QStringLiteral("\n"));
    if (parts.size() > 2 && !parts[2].trimmed().isEmpty()) {
        bool ok = false;
        column.width = parts[2].trimmed().toDouble(&ok);
        if (!ok || column.width <= 0)
            fail(QStringLiteral("độ rộng cột phải là số dương: %1").arg(parts[2].trimmed()));
    }
    if (parts.size() > 3)
        column.align = alignment(parts[3]);
    m_file.columns.append(column);
}

ReportFile Parser::parse(const QString& text)
{
    static const QRegularExpression header(QStringLiteral(R"(^\s*\[\s*([A-Za-z_]+)\s*\]\s*$)"));
    Section section = Section::None;
    QList<Section> seen;
    QString cover;
    QString heading;
    QString closing;

    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        m_line = int(i + 1);
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);

        const auto match = header.match(line);
        const bool inHtml = section == Section::Cover || section == Section::Heading || section == Section::Closing;
        if (match.hasMatch() && (!inHtml || sectionNamed(match.captured(1)) != Section::None)) {
            section = sectionNamed(match.captured(1));
            if (section == Section::None)
                fail(QStringLiteral("không có mục [%1] (các mục: [report], [columns], [cover], [heading], [closing])")
                         .arg(match.captured(1)));
            if (seen.contains(section))
                fail(QStringLiteral("mục [%1] đã có ở trên").arg(match.captured(1)));
            seen.append(section);
            continue;
        }
        if (section == Section::Cover) {
            cover += line + u'\n';
            continue;
        }
        if (section == Section::Heading) {
            heading += line + u'\n';
            continue;
        }
        if (section == Section::Closing) {
            closing += line + u'\n';
            continue;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (section == Section::None)
            fail(QStringLiteral("dòng nằm ngoài các mục [report], [columns], [cover], [heading], [closing]"));
        if (section == Section::Report)
            setting(line);
        else
            column(line);
    }

    m_line = 0;
    if (m_file.source.isEmpty())
        fail(QStringLiteral("thiếu thiết lập source (bảng in hoặc truy vấn cho dữ liệu) trong mục [report]"));
    if (m_file.columns.isEmpty())
        fail(QStringLiteral("mục [columns] chưa có cột nào"));
    m_file.cover = compile(cover.trimmed(), TextTemplate::Escape::Html);
    m_file.heading = compile(heading.trimmed(), TextTemplate::Escape::Html);
    m_file.closing = compile(closing.trimmed(), TextTemplate::Escape::Html);
    return m_file;
}

} // namespace

QString resolveFilePath(const QString& path)
{
    QString normal = path;
    if (QDir::separator() == u'/')
        normal.replace(u'\\', u'/');
    normal = QDir::cleanPath(normal);
    if (normal.isEmpty())
        return {};
    if (QFileInfo(normal).isFile())
        return normal;

    // Walk the parts, matching each one without regard to letter case.
    const bool absolute = normal.startsWith(u'/');
    QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QDir dir(current);
        const bool last = i == parts.size() - 1;
        QString found;
        if (parts[i] == u"..") {
            found = parts[i];
        } else {
            const QStringList entries =
                dir.entryList((last ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(parts[i], Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return {};
        current = dir.filePath(found);
    }
    return QFileInfo(current).isFile() ? QDir::cleanPath(current) : QString();
}

ReportFile ReportFile::load(const QString& path)
{
    const QString resolved = resolveFilePath(path);
    if (resolved.isEmpty())
        throw ReportError(ReportErrorCode::FileNotFound, QStringLiteral("Không tìm thấy file báo cáo %1").arg(path));
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ReportError(ReportErrorCode::FileUnreadable,
                          QStringLiteral("Không đọc được file báo cáo %1: %2").arg(resolved, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw ReportError(ReportErrorCode::FileUnreadable,
                          QStringLiteral("Không đọc được file báo cáo %1: %2").arg(resolved, file.errorString()));
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        throw ReportError(ReportErrorCode::FileUnreadable,
                          QStringLiteral("File báo cáo %1 không phải văn bản UTF-8").arg(resolved));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    ReportFile result = parse(text, QFileInfo(resolved).fileName());
    result.path = resolved;
    return result;
}

ReportFile ReportFile::parse(const QString& text, const QString& fileName)
{
    return Parser(fileName).parse(text);
}

} // namespace report
