#include "plan_entry_config.h"

#include "ui_frmcongviec.h"

namespace registers {

EntryConfig planEntryTexts()
{
    EntryConfig c;
    c.which = Register::Plans;
    c.viewStatus = QStringLiteral("Xem công việc");
    c.addStatus = QStringLiteral("Nạp công việc");
    c.editStatus = QStringLiteral("sửa nội dung công việc");
    c.rememberedFields = {QStringLiteral("Tendonvi"), QStringLiteral("canbo"),     QStringLiteral("nguoichidao"),
                          QStringLiteral("ketqua"),   QStringLiteral("loai"),      QStringLiteral("ndungct"),
                          QStringLiteral("ndungtt"),  QStringLiteral("Tgianbdau"), QStringLiteral("Tgiankthuc"),
                          QStringLiteral("bophan"),   QStringLiteral("chidao")};
    c.numberField.clear();
    c.lockPositionWhileEditing = true;
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    c.f5FillsToday = true;
    c.cancelEditCaption = QStringLiteral("&Huỷ sửa");
    c.cancelAddCaption = QStringLiteral("&Huỷ nạp");
    c.deleteQuestion = QStringLiteral("Có thực sự muốn xoá bản ghi này không ?");
    c.deleteWhileAdding = QStringLiteral("Bạn phải nạp xong mới xoá được !");
    c.ownerField = QStringLiteral("nguoicapnhat");
    c.searchWhileEditing = QStringLiteral("Bạn phải nạp xong mới có thể tìm kiếm được !");
    c.dataErrorPrefix = QStringLiteral("Data error event hit err:");
    c.searchForm = QStringLiteral("frmtracuukh");
    c.searchStartsAtNumber = true;
    c.guide = QStringLiteral("Hướng dẫn : F4 : xoá cả ô    F5: tự điền ngày    F6 : Sao chép nội dung trang trước   "
                             "PgUp, Pgdn : chuyển trang ");
    return c;
}

QList<RequiredBox> planRequired(ui::TextBox* unit, ui::TextBox* summary, ui::TextBox* start, ui::TextBox* end)
{
    return {{unit, QStringLiteral("Ban")},
            {summary, QStringLiteral("tên hay tóm tắt nội dung công việc")},
            {start, QStringLiteral("thời gian bắt đầu")},
            {end, QStringLiteral("thời gian kết thúc")}};
}

EntryConfig planEntryConfig(const Ui::frmcongviec& ui)
{
    EntryConfig c = planEntryTexts();
    c.controls = entryControls(ui);
    c.controls.guide = ui.Label5;
    c.boxFields = {{ui.txtid, QStringLiteral("ID")},
                   {ui.txtban, QStringLiteral("Tendonvi")},
                   {ui.txtiddonvi, QStringLiteral("iddonvi")},
                   {ui.txtphong, QStringLiteral("bophan")},
                   {ui.txtidbophan, QStringLiteral("idbophan")},
                   {ui.txtndungtt, QStringLiteral("ndungtt")},
                   {ui.txtndungct, QStringLiteral("ndungct")},
                   {ui.txtloai, QStringLiteral("loai")},
                   {ui.Txttgianbdau, QStringLiteral("Tgianbdau")},
                   {ui.Txttgiankthuc, QStringLiteral("Tgiankthuc")},
                   {ui.txtchidao, QStringLiteral("nguoichidao")},
                   {ui.txtykien, QStringLiteral("chidao")},
                   {ui.txtcanbo, QStringLiteral("canbo")},
                   {ui.txtketqua, QStringLiteral("ketqua")},
                   {ui.chkkhan, QStringLiteral("khan")},
                   {ui.chkketthuc, QStringLiteral("ketthuc")}};
    c.dataBoxes = {ui.txtid,      ui.txtban,     ui.txtiddonvi, ui.txtphong,     ui.txtidbophan,
                   ui.txtndungtt, ui.txtndungct, ui.txtloai,    ui.Txttgianbdau, ui.Txttgiankthuc,
                   ui.txtchidao,  ui.txtykien,   ui.txtcanbo,   ui.txtketqua};
    // The unit and department boxes are locked while viewing too: a record changes only in
    // adding or editing, so the rights rule cannot be passed by typing into a viewed record.
    c.editableBoxes = c.dataBoxes.mid(1);
    c.checkBoxes = {ui.chkkhan, ui.chkketthuc};
    // Urgent and finished are marked while viewing too, on a plan the user may change.
    c.checkBoxesFollowRights = true;
    c.required = planRequired(ui.txtban, ui.txtndungtt, ui.Txttgianbdau, ui.Txttgiankthuc);
    c.requiredFocus = ui.txtndungtt;
    c.homeBox = ui.txtndungtt;
    c.editFocus = ui.txtndungtt;
    c.positionFocus = ui.txtndungtt;
    c.dateBoxes = {ui.Txttgianbdau, ui.Txttgiankthuc};
    c.editButton = ui.Cmdsua;
    c.deleteButton = ui.cmdDelete;
    c.viewOnlyButtons = {ui.cmdGrid, ui.cmdclose};
    const QString chudu = QStringLiteral("chudu");
    c.abbreviations = {{ui.txtndungtt, ReferenceList::Abbreviations, QString(), chudu},
                       {ui.txtcanbo, ReferenceList::Abbreviations, chudu, chudu},
                       {ui.txtchidao, ReferenceList::Abbreviations, chudu, chudu},
                       {ui.txtketqua, ReferenceList::Abbreviations, chudu, chudu},
                       {ui.txtndungct, ReferenceList::Abbreviations, chudu, chudu},
                       {ui.txtykien, ReferenceList::Abbreviations, chudu, chudu},
                       {ui.txtban, ReferenceList::Units, QStringLiteral("Tendonvi"), QString()}};
    return c;
}

} // namespace registers
