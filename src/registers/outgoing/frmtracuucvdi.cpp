#include "frmtracuucvdi.h"

#include "ui_frmtracuucvdi.h"

namespace registers {

SearchConfig outgoingSearchConfig()
{
    SearchConfig c;
    c.tablePrefix = QStringLiteral("cvdi");
    const QString reversed = QStringLiteral("Không đặt thời điểm cuối trước thời điểm đầu!");
    c.ranges = {{QStringLiteral("mng_cv1"), QStringLiteral("mng_cv2"), QStringLiteral("[ng_cvchuan]"),
                 QStringLiteral("Cần nạp lại 2 mút thời gian ngày công văn!"), reversed}};
    c.textBoxes = {{QStringLiteral("mdv_nhan"), QStringLiteral("[dv_nhan]")},
                   {QStringLiteral("mtt_ndung"), QStringLiteral("[tt_ndung]")},
                   {QStringLiteral("mso_cv"), QStringLiteral("[so_cv]")},
                   {QStringLiteral("mloai"), QStringLiteral("[loai]")},
                   {QStringLiteral("mnoiluu"), QStringLiteral("[noiluu]")},
                   {QStringLiteral("mnguoiky"), QStringLiteral("[nguoiky]")}};
    c.clearBoxes = {QStringLiteral("mstt"),     QStringLiteral("mng_cv1"),   QStringLiteral("mng_cv2"),
                    QStringLiteral("mdv_nhan"), QStringLiteral("mtt_ndung"), QStringLiteral("mso_cv"),
                    QStringLiteral("mloai"),    QStringLiteral("mnoiluu"),   QStringLiteral("mnguoiky")};
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {
        {QStringLiteral("mtt_ndung"), ReferenceList::Abbreviations, chudu, chudu},
        {QStringLiteral("mnguoiky"), ReferenceList::Abbreviations, chudu, chudu},
        {QStringLiteral("mloai"), ReferenceList::LetterTypes, QStringLiteral("loai"), QStringLiteral("loai")},
        {QStringLiteral("mdv_nhan"), ReferenceList::Correspondents, QStringLiteral("Tendonvi"),
         QStringLiteral("tendonvi")},
        {QStringLiteral("mnoiluu"), ReferenceList::Units, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")}};
    const QList<GridColumn> names = {{QStringLiteral("Tên đơn vị"), QStringLiteral("tendonvi")},
                                     {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}};
    // In the order of the main window's value lists: filing units, recipients, letter types.
    c.picks = {{{QStringLiteral("DBGridnoiluu"), QStringLiteral("mnoiluu"), QStringLiteral("Datadonvi"),
                 QRect(4905, 3330, 4200, 2085), QString(), false},
                QStringLiteral("noiluu"),
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                names},
               {{QStringLiteral("DBGriddv_nhan"), QStringLiteral("mdv_nhan"), QStringLiteral("Datanoigui"),
                 QRect(3060, 1845, 4200, 3705), QString(), false},
                QStringLiteral("dv_nhan"),
                ReferenceList::Correspondents,
                QStringLiteral("select * from noigui order by matt"),
                names},
               {{QStringLiteral("DBGridloai"), QStringLiteral("mloai"), QStringLiteral("Dataloai"),
                 QRect(1710, 1350, 4200, 3435), QString(), false},
                QStringLiteral("loai"),
                ReferenceList::LetterTypes,
                QStringLiteral("select * from loaicv order by matt"),
                {{QStringLiteral("Loại công văn"), QStringLiteral("loai")},
                 {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}}}};
    c.guide = QStringLiteral(
                  "Hướng dẫn:    F4 : xoá cả ô      F5: Chọn theo danh sách      F5 và Shift-F5:tăng giảm ô ngày ") +
              searchGuideTail();
    c.listForm = QStringLiteral("frmgridcvdi");
    c.which = Register::Outgoing;
    c.returnFocus = QString();
    return c;
}

OutgoingSearchForm::OutgoingSearchForm(QWidget* parent)
    : SearchForm(outgoingSearchConfig(), parent), m_ui(std::make_unique<Ui::frmtracuucvdi>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuucvdi"));
    attachControls();
}

OutgoingSearchForm::~OutgoingSearchForm() = default;

} // namespace registers
