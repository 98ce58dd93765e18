#include "frmtracuucvden.h"

#include "ui_frmtracuucvden.h"

namespace registers {

SearchConfig incomingSearchConfig()
{
    SearchConfig c;
    c.tablePrefix = QStringLiteral("cvden");
    const QString reversed = QStringLiteral("Không đặt thời điểm cuối trước thời điểm đầu");
    c.ranges = {{QStringLiteral("mng_den1"), QStringLiteral("mng_den2"), QStringLiteral("[ng_denchuan]"),
                 QStringLiteral("Cần nạp lại 2 mút thời gian ngày đến của công văn!"), reversed},
                {QStringLiteral("mng_cv1"), QStringLiteral("mng_cv2"), QStringLiteral("[ng_cvchuan]"),
                 QStringLiteral("Cần nạp lại 2 mút thời gian ngày công văn!"), reversed + QStringLiteral("!")}};
    c.textBoxes = {{QStringLiteral("mdv_nhan"), QStringLiteral("[dv_nhan]")},
                   {QStringLiteral("mcd_dang"), QStringLiteral("[cd_dang]")},
                   {QStringLiteral("mtt_ndung"), QStringLiteral("[tt_ndung]")},
                   {QStringLiteral("mso_cv"), QStringLiteral("[so_cv]")},
                   {QStringLiteral("mloai"), QStringLiteral("[loai]")},
                   {QStringLiteral("mmat"), QStringLiteral("[mat]")},
                   {QStringLiteral("mnoigui"), QStringLiteral("[noigui]")}};
    c.clearBoxes = {QStringLiteral("mdv_nhan"),  QStringLiteral("mloai"),   QStringLiteral("mmat"),
                    QStringLiteral("mng_cv1"),   QStringLiteral("mng_cv2"), QStringLiteral("mng_den1"),
                    QStringLiteral("mng_den2"),  QStringLiteral("mnoigui"), QStringLiteral("mso_cv"),
                    QStringLiteral("mtt_ndung"), QStringLiteral("mstt")};
    c.clearFocus = QStringLiteral("mstt");
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {
        {QStringLiteral("mtt_ndung"), ReferenceList::Abbreviations, chudu, QString()},
        {QStringLiteral("mng_den1"), ReferenceList::Abbreviations, chudu, QString()},
        {QStringLiteral("mng_den2"), ReferenceList::Abbreviations, chudu, QString()},
        {QStringLiteral("mng_cv1"), ReferenceList::Abbreviations, chudu, QString()},
        {QStringLiteral("mng_cv2"), ReferenceList::Abbreviations, chudu, QString()},
        {QStringLiteral("mmat"), ReferenceList::Abbreviations, chudu, chudu},
        {QStringLiteral("mloai"), ReferenceList::LetterTypes, QStringLiteral("loai"), QStringLiteral("loai")},
        {QStringLiteral("mdv_nhan"), ReferenceList::Units, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")},
        {QStringLiteral("mnoigui"), ReferenceList::Correspondents, QStringLiteral("Tendonvi"),
         QStringLiteral("tendonvi")}};
    const QList<GridColumn> names = {{QStringLiteral("Tên đơn vị"), QStringLiteral("tendonvi")},
                                     {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}};
    // In the order of the main window's value lists: receiving units, senders, letter types.
    c.picks = {{{QStringLiteral("DBGriddv_nhan"), QStringLiteral("mdv_nhan"), QStringLiteral("Datadonvi"),
                 QRect(4860, 3555, 4200, 2085), QString(), false},
                QStringLiteral("dv_nhan"),
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                names},
               {{QStringLiteral("DBGridnoigui"), QStringLiteral("mnoigui"), QStringLiteral("Datanoigui"),
                 QRect(1530, 2295, 4200, 3705), QString(), false},
                QStringLiteral("noigui"),
                ReferenceList::Correspondents,
                QStringLiteral("select * from noigui order by matt"),
                names},
               {{QStringLiteral("DBGridloai"), QStringLiteral("mloai"), QStringLiteral("Dataloai"),
                 QRect(2835, 1935, 4200, 3435), QString(), false},
                QStringLiteral("loai"),
                ReferenceList::LetterTypes,
                QStringLiteral("select * from loaicv order by matt"),
                {{QStringLiteral("Loại công văn"), QStringLiteral("loai")},
                 {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}}}};
    c.channelBox = QStringLiteral("mcd_dang");
    c.guide = QStringLiteral(
                  "Hướng dẫn:   F4 : xoá cả ô      F5: Chọn theo danh sách      F5 và Shift-F5:tăng giảm ô ngày ") +
              searchGuideTail();
    c.listForm = QStringLiteral("frmgridcvden");
    return c;
}

IncomingSearchForm::IncomingSearchForm(QWidget* parent)
    : SearchForm(incomingSearchConfig(), parent), m_ui(std::make_unique<Ui::frmtracuucvden>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuucvden"));
    attachControls();
}

IncomingSearchForm::~IncomingSearchForm() = default;

} // namespace registers
