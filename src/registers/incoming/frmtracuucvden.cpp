#include "frmtracuucvden.h"

#include "ui_frmtracuucvden.h"

namespace registers {

SearchConfig incomingSearchConfig(const Ui::frmtracuucvden& ui)
{
    SearchConfig c;
    c.controls = searchControls(ui);
    c.tablePrefix = QStringLiteral("cvden");
    c.numberBox = ui.mstt;
    c.returnFocus = ui.mstt;
    const QString reversed = QStringLiteral("Không đặt thời điểm cuối trước thời điểm đầu");
    c.ranges = {{ui.mng_den1, ui.mng_den2, QStringLiteral("[ng_denchuan]"),
                 QStringLiteral("Cần nạp lại 2 mút thời gian ngày đến của công văn!"), reversed},
                {ui.mng_cv1, ui.mng_cv2, QStringLiteral("[ng_cvchuan]"),
                 QStringLiteral("Cần nạp lại 2 mút thời gian ngày công văn!"), reversed + QStringLiteral("!")}};
    c.textBoxes = {{ui.mdv_nhan, QStringLiteral("[dv_nhan]")},   {ui.mcd_dang, QStringLiteral("[cd_dang]")},
                   {ui.mtt_ndung, QStringLiteral("[tt_ndung]")}, {ui.mso_cv, QStringLiteral("[so_cv]")},
                   {ui.mloai, QStringLiteral("[loai]")},         {ui.mmat, QStringLiteral("[mat]")},
                   {ui.mnoigui, QStringLiteral("[noigui]")}};
    c.clearBoxes = {ui.mdv_nhan, ui.mloai,   ui.mmat,   ui.mng_cv1,   ui.mng_cv2, ui.mng_den1,
                    ui.mng_den2, ui.mnoigui, ui.mso_cv, ui.mtt_ndung, ui.mstt};
    c.wordsBox = ui.mnoidung;
    c.readingProgress = ui.lbldocnoidung;
    c.clearBoxes << ui.mnoidung;
    c.clearFocus = ui.mstt;
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {
        {ui.mtt_ndung, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mng_den1, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mng_den2, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mng_cv1, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mng_cv2, ReferenceList::Abbreviations, chudu, QString()},
        {ui.mmat, ReferenceList::Abbreviations, chudu, chudu},
        {ui.mloai, ReferenceList::LetterTypes, QStringLiteral("loai"), QStringLiteral("loai")},
        {ui.mdv_nhan, ReferenceList::Units, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")},
        {ui.mnoigui, ReferenceList::Correspondents, QStringLiteral("Tendonvi"), QStringLiteral("tendonvi")}};
    const QList<GridColumn> names = {{QStringLiteral("Tên đơn vị"), QStringLiteral("tendonvi")},
                                     {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}};
    // In the order of the main window's value lists: receiving units, senders, letter types.
    c.picks = {{{QStringLiteral("DBGriddv_nhan"), ui.mdv_nhan, QStringLiteral("Datadonvi"),
                 QRect(4860, 3555, 4200, 2085), nullptr, false},
                QStringLiteral("dv_nhan"),
                ReferenceList::Units,
                QStringLiteral("select * from donvi order by matt"),
                names},
               {{QStringLiteral("DBGridnoigui"), ui.mnoigui, QStringLiteral("Datanoigui"),
                 QRect(1530, 2295, 4200, 3705), nullptr, false},
                QStringLiteral("noigui"),
                ReferenceList::Correspondents,
                QStringLiteral("select * from noigui order by matt"),
                names},
               {{QStringLiteral("DBGridloai"), ui.mloai, QStringLiteral("Dataloai"), QRect(2835, 1935, 4200, 3435),
                 nullptr, false},
                QStringLiteral("loai"),
                ReferenceList::LetterTypes,
                QStringLiteral("select * from loaicv order by matt"),
                {{QStringLiteral("Loại công văn"), QStringLiteral("loai")},
                 {QStringLiteral("Chữ tắt"), QStringLiteral("chutat")}}}};
    c.channelBox = ui.mcd_dang;
    c.guide = QStringLiteral(
                  "Hướng dẫn:   F4 : xoá cả ô      F5: Chọn theo danh sách      F5 và Shift-F5:tăng giảm ô ngày ") +
              searchGuideTail();
    c.listForm = QStringLiteral("frmgridcvden");
    return c;
}

IncomingSearchForm::IncomingSearchForm(QWidget* parent)
    : SearchForm(parent), m_ui(std::make_unique<Ui::frmtracuucvden>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("frmtracuucvden"));
    attachControls(incomingSearchConfig(*m_ui));
}

IncomingSearchForm::~IncomingSearchForm() = default;

} // namespace registers
