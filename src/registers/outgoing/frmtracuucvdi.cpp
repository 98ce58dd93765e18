#include "frmtracuucvdi.h"

#include "ui_frmtracuucvdi.h"

namespace registers {

SearchConfig outgoingSearchConfig(const Ui::frmtracuucvdi& ui)
{
    SearchConfig c;
    c.controls = searchControls(ui);
    c.tablePrefix = QStringLiteral("cvdi");
    c.numberBox = ui.mstt;
    const QString reversed = QStringLiteral("Không đặt thời điểm cuối trước thời điểm đầu!");
    c.ranges = {{ui.mng_cv1, ui.mng_cv2, QStringLiteral("[ng_cvchuan]"),
                 QStringLiteral("Cần nạp lại 2 mút thời gian ngày công văn!"), reversed}};
    c.textBoxes = {{ui.mdv_nhan, QStringLiteral("[dv_nhan]")}, {ui.mtt_ndung, QStringLiteral("[tt_ndung]")},
                   {ui.mso_cv, QStringLiteral("[so_cv]")},     {ui.mloai, QStringLiteral("[loai]")},
                   {ui.mnoiluu, QStringLiteral("[noiluu]")},   {ui.mnguoiky, QStringLiteral("[nguoiky]")}};
    c.clearBoxes = {ui.mstt,   ui.mng_cv1, ui.mng_cv2, ui.mdv_nhan, ui.mtt_ndung,
                    ui.mso_cv, ui.mloai,   ui.mnoiluu, ui.mnguoiky};
    c.wordsBox = ui.mnoidung;
    c.readingProgress = ui.lbldocnoidung;
    c.clearBoxes << ui.mnoidung;
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {
        {ui.mtt_ndung, ReferenceList::Abbreviations, chudu, chudu},
        {ui.mnguoiky, ReferenceList::Abbreviations, chudu, chudu},
        {ui.mloai, ReferenceList::LetterTypes, QStringLiteral("loai"), QStringLiteral("loai")},
        {ui.mdv_nhan, ReferenceList::Correspondents, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")},
        {ui.mnoiluu, ReferenceList::Units, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")}};
    const QList<GridColumn> names = {{QStringLiteral("Tên đơn vị"), QStringLiteral("tendonvi")},
                                     {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}};
    // In the order of the main window's value lists: filing units, recipients, letter types.
    c.picks = {{{QStringLiteral("DBGridnoiluu"), ui.mnoiluu, QStringLiteral("Datadonvi"), QRect(4905, 3330, 4200, 2085),
                 nullptr, false},
                QStringLiteral("noiluu"),
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                names},
               {{QStringLiteral("DBGriddv_nhan"), ui.mdv_nhan, QStringLiteral("Datanoigui"),
                 QRect(3060, 1845, 4200, 3705), nullptr, false},
                QStringLiteral("dv_nhan"),
                ReferenceList::Correspondents,
                QStringLiteral("select * from noigui order by matt"),
                names},
               {{QStringLiteral("DBGridloai"), ui.mloai, QStringLiteral("Dataloai"), QRect(1710, 1350, 4200, 3435),
                 nullptr, false},
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
    return c;
}

OutgoingSearchForm::OutgoingSearchForm(QWidget* parent)
    : SearchForm(parent), m_ui(std::make_unique<Ui::frmtracuucvdi>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuucvdi"));
    attachControls(outgoingSearchConfig(*m_ui));
}

OutgoingSearchForm::~OutgoingSearchForm() = default;

} // namespace registers
