#include "server_setting.h"

#include "data_paths.h"
#include "platform/db/db_error.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace app {

namespace {

const QString Key = QStringLiteral("connection=");

// "password=..." as a key of a connection string, or "user:password@" in a URI.
const QRegularExpression& passwordPattern()
{
    static const QRegularExpression pattern(QStringLiteral("(\\bpassword\\s*=\\s*)(\\S+)|(://[^/:@\\s]*:)([^@\\s]*)@"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

QString serverSettingPath(const QString& programFolder)
{
    return dataFilePath(programFolder, QStringLiteral("server.conf"));
}

std::optional<QString> readServerSetting(const QString& programFolder)
{
    QFile file(serverSettingPath(programFolder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || eq < 0 ||
            line.left(eq).trimmed().compare(QLatin1String("connection"), Qt::CaseInsensitive) != 0)
            continue;
        if (const QString value = line.mid(eq + 1).trimmed(); !value.isEmpty())
            return value;
    }
    return std::nullopt;
}

QString settingRefusal(const QString& connection)
{
    const QString value = connection.trimmed();
    if (value.isEmpty() || value.contains(QLatin1Char('\n')))
        return QStringLiteral("Chưa ghi kết nối tới máy chủ.");
    if (passwordPattern().match(value).hasMatch())
        return QStringLiteral("Không ghi mật khẩu vào thiết lập của chương trình: mật khẩu để trong tệp .pgpass "
                              "của người dùng (hoặc biến PGPASSWORD).");
    return {};
}

QString writeServerSetting(const QString& programFolder, const QString& connection)
{
    const QString value = connection.trimmed();
    if (const QString refused = settingRefusal(value); !refused.isEmpty())
        return refused;
    QSaveFile file(serverSettingPath(programFolder));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write((QStringLiteral("# Selvaro chạy trên máy chủ này; xóa tệp để dùng các file dữ liệu của thư mục.\n") +
                    Key + value + QLatin1Char('\n'))
                       .toUtf8()) < 0 ||
        !file.commit())
        return QStringLiteral("Không ghi được tệp ") + serverSettingPath(programFolder) + QStringLiteral(": ") +
               file.errorString();
    return QString();
}

bool removeServerSetting(const QString& programFolder)
{
    const QString path = serverSettingPath(programFolder);
    return !QFile::exists(path) || QFile::remove(path);
}

QString serverFailureText(const db::DbError& error, const QString& connection)
{
    const QString server = QStringLiteral("máy chủ dữ liệu (") + shownConnection(connection) + QStringLiteral(")");
    switch (error.number()) {
    case db::errc::InvalidPassword:
        return QStringLiteral("Không đăng nhập được vào ") + server +
               QStringLiteral(": máy chủ không nhận mật khẩu. Cần kiểm tra tệp .pgpass của người dùng này.");
    case db::errc::ServerUnreachable:
        return QStringLiteral("Không kết nối được với ") + server +
               QStringLiteral(". Cần kiểm tra lại việc nối mạng và máy chủ.");
    default:
        // A server too old or a data set it lacks: its own text names the version or the set.
        return QStringLiteral("Không dùng được ") + server + QStringLiteral(": ") +
               error.description().section(QLatin1Char('\n'), 0, 0);
    }
}

QString shownConnection(const QString& connection)
{
    QString shown = connection;
    QList<QPair<qsizetype, qsizetype>> secrets;
    for (auto it = passwordPattern().globalMatch(connection); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int group = m.capturedStart(2) >= 0 ? 2 : 4;
        secrets.prepend({m.capturedStart(group), m.capturedLength(group)});
    }
    for (const auto& [start, length] : secrets) // from the end, so that earlier places stay
        shown.replace(start, length, QStringLiteral("***"));
    return shown;
}

} // namespace app
