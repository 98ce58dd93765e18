#include "report_control.h"

#include "formula.h"
#include "platform/db/db_error.h"
#include "report_output.h"

#include <QDir>
#include <QFileInfo>

namespace report {

namespace {

Previewer& installedPreviewer()
{
    static Previewer previewer;
    return previewer;
}

} // namespace

QRect ReportControl::windowGeometry() const
{
    if (m_windowWidth <= 0 || m_windowHeight <= 0)
        return {};
    return QRect(m_windowLeft, m_windowTop, m_windowWidth, m_windowHeight);
}

void ReportControl::setFormula(int index, const QString& text)
{
    if (text.trimmed().isEmpty())
        m_formulas.remove(index);
    else
        m_formulas.insert(index, text);
}

void ReportControl::setMargin(std::optional<int>& margin, int twips)
{
    if (twips >= 0)
        margin = twips;
}

QMarginsF ReportControl::marginsInPoints() const
{
    auto points = [](const std::optional<int>& twips) { return twips ? *twips / 20.0 : -1.0; };
    return QMarginsF(points(m_marginLeft), points(m_marginTop), points(m_marginRight), points(m_marginBottom));
}

void ReportControl::reset()
{
    m_fileName.clear();
    m_windowLeft = m_windowTop = m_windowWidth = m_windowHeight = 0;
    m_marginLeft.reset();
    m_marginTop.reset();
    m_marginRight.reset();
    m_marginBottom.reset();
    m_formulas.clear();
    m_lastResult = ReportResult();
}

ReportResult ReportControl::setAction(int action)
{
    if (action == 1)
        return printReport();
    ReportResult result;
    result.error = ReportErrorCode::UnknownAction;
    result.message = QStringLiteral("Lệnh %1 của báo cáo không có; lệnh 1 là in báo cáo").arg(action);
    m_lastResult = result;
    return result;
}

ReportResult ReportControl::printReport()
{
    try {
        m_lastResult = produce();
    } catch (const ReportError& error) {
        m_lastResult = ReportResult{error.code(), error.message(), QString(), 0};
    } catch (const db::DbError& error) {
        m_lastResult =
            ReportResult{ReportErrorCode::DataSource,
                         QStringLiteral("Lỗi dữ liệu khi in báo cáo: %1").arg(error.description()), QString(), 0};
    }
    return m_lastResult;
}

ReportResult ReportControl::produce()
{
    QList<Formula> formulas;
    for (auto it = m_formulas.cbegin(); it != m_formulas.cend(); ++it)
        formulas.append(parseFormula(it.value(), it.key()));
    if (m_fileName.trimmed().isEmpty())
        throw ReportError(ReportErrorCode::FileNotFound, QStringLiteral("Chưa chọn file báo cáo để in"));

    ReportFile file = ReportFile::load(m_fileName);
    QList<ReportRow> rows = loadReportRows(file, m_database);
    auto prepared = std::make_shared<const PreparedReport>(
        PreparedReport::make(std::move(file), std::move(rows), formulas, marginsInPoints()));
    checkPageLayout(*prepared);

    ReportResult result;
    const QString folder = printToFolder();
    if (!folder.isEmpty()) {
        if (!QDir().mkpath(folder)) {
            throw ReportError(ReportErrorCode::OutputFailed,
                              QStringLiteral("Không tạo được thư mục %1 để ghi báo cáo").arg(folder));
        }
        result.outputFile = nextPdfPath(folder, QFileInfo(prepared->file.path).completeBaseName());
        result.pageCount = writePdf(*prepared, result.outputFile);
    } else if (m_destination == Destination::Window) {
        const Previewer& previewer = installedPreviewer();
        if (!previewer) {
            throw ReportError(ReportErrorCode::PreviewUnavailable,
                              QStringLiteral("Chương trình chưa có cửa sổ xem trước khi in"));
        }
        previewer(PreviewRequest{prepared, windowGeometry()});
    } else {
        result.pageCount = printOnDefaultPrinter(*prepared);
    }
    return result;
}

void ReportControl::setPreviewer(Previewer previewer)
{
    installedPreviewer() = std::move(previewer);
}

bool ReportControl::hasPreviewer()
{
    return bool(installedPreviewer());
}

QString ReportControl::printToFolder()
{
    return qEnvironmentVariable("SELVARO_PRINT_TO").trimmed();
}

} // namespace report
