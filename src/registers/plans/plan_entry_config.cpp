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
    c.boxFields = {{QStringLiteral("txtid"), QStringLiteral("ID")},
                   {QStringLiteral("txtban"), QStringLiteral("Tendonvi")},
                   {QStringLiteral("txtiddonvi"), QStringLiteral("iddonvi")},
                   {QStringLiteral("txtphong"), QStringLiteral("bophan")},
                   {QStringLiteral("txtidbophan"), QStringLiteral("idbophan")},
                   {QStringLiteral("txtndungtt"), QStringLiteral("ndungtt")},
                   {QStringLiteral("txtndungct"), QStringLiteral("ndungct")},
                   {QStringLiteral("txtloai"), QStringLiteral("loai")},
                   {QStringLiteral("Txttgianbdau"), QStringLiteral("Tgianbdau")},
                   {QStringLiteral("Txttgiankthuc"), QStringLiteral("Tgiankthuc")},
                   {QStringLiteral("txtchidao"), QStringLiteral("nguoichidao")},
                   {QStringLiteral("txtykien"), QStringLiteral("chidao")},
                   {QStringLiteral("txtcanbo"), QStringLiteral("canbo")},
                   {QStringLiteral("txtketqua"), QStringLiteral("ketqua")},
                   {QStringLiteral("chkkhan"), QStringLiteral("khan")},
                   {QStringLiteral("chkketthuc"), QStringLiteral("ketthuc")}};
    c.dataBoxes = {QStringLiteral("txtid"),         QStringLiteral("txtban"),      QStringLiteral("txtiddonvi"),
                   QStringLiteral("txtphong"),      QStringLiteral("txtidbophan"), QStringLiteral("txtndungtt"),
                   QStringLiteral("txtndungct"),    QStringLiteral("txtloai"),     QStringLiteral("Txttgianbdau"),
                   QStringLiteral("Txttgiankthuc"), QStringLiteral("txtchidao"),   QStringLiteral("txtykien"),
                   QStringLiteral("txtcanbo"),      QStringLiteral("txtketqua")};
    // The unit and department boxes are locked while viewing too: a record changes only in
    // adding or editing, so the rights rule cannot be passed by typing into a viewed record.
    c.editableBoxes = c.dataBoxes.mid(1);
    c.checkBoxes = {QStringLiteral("chkkhan"), QStringLiteral("chkketthuc")};
    // Urgent and finished are marked while viewing too, on a plan the user may change.
    c.checkBoxesFollowRights = true;
    c.requiredFocus = QStringLiteral("txtndungtt");
    c.rememberedFields = {QStringLiteral("Tendonvi"), QStringLiteral("canbo"),     QStringLiteral("nguoichidao"),
                          QStringLiteral("ketqua"),   QStringLiteral("loai"),      QStringLiteral("ndungct"),
                          QStringLiteral("ndungtt"),  QStringLiteral("Tgianbdau"), QStringLiteral("Tgiankthuc"),
                          QStringLiteral("bophan"),   QStringLiteral("chidao")};
    c.numberField.clear();
    c.homeBox = QStringLiteral("txtndungtt");
    c.editFocus = QStringLiteral("txtndungtt");
    c.positionFocus = QStringLiteral("txtndungtt");
    c.lockPositionWhileEditing = true;
    c.dateBoxes = {QStringLiteral("Txttgianbdau"), QStringLiteral("Txttgiankthuc")};
    c.invalidDateMessage = QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !");
    c.f5FillsToday = true;
    c.editButton = QStringLiteral("Cmdsua");
    c.cancelEditCaption = QStringLiteral("&Huỷ sửa");
    c.cancelAddCaption = QStringLiteral("&Huỷ nạp");
    c.deleteButton = QStringLiteral("cmdDelete");
    c.deleteQuestion = QStringLiteral("Có thực sự muốn xoá bản ghi này không ?");
    c.deleteWhileAdding = QStringLiteral("Bạn phải nạp xong mới xoá được !");
    c.ownerField = QStringLiteral("nguoicapnhat");
    c.searchWhileEditing = QStringLiteral("Bạn phải nạp xong mới có thể tìm kiếm được !");
    c.dataErrorPrefix = QStringLiteral("Data error event hit err:");
    c.viewOnlyButtons = {QStringLiteral("cmdGrid"), QStringLiteral("cmdclose")};
    c.searchForm = QStringLiteral("frmtracuukh");
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
    c.required = planRequired(ui.txtban, ui.txtndungtt, ui.Txttgianbdau, ui.Txttgiankthuc);
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
