#include "template_tables.h"

#include "app/core/letters_schema.h"
#include "datafiles/attachments.h"

namespace tmpl {

namespace {

using db::FieldDef;
using db::FieldType;

// Column kinds. Texts typed by the user are Text 255 (the most a Text column holds); lists of
// names and long contents are Memo; dates are "dd/mm/yyyy" texts beside their "yyyymmdd" key;
// every Text and Memo column accepts "".
FieldDef column(const QString& name, FieldType type, int size, int attributes)
{
    FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.attributes = attributes;
    f.allowZeroLength = true;
    f.required = false;
    return f;
}

FieldDef counter(const QString& name)
{
    return column(name, FieldType::Long, 4, db::fieldattr::FixedField | db::fieldattr::AutoIncrField);
}
FieldDef number(const QString& name)
{
    return column(name, FieldType::Long, 4, db::fieldattr::FixedField);
}
FieldDef yesNo(const QString& name)
{
    return column(name, FieldType::Boolean, 1, db::fieldattr::FixedField);
}
FieldDef text(const QString& name, int size = 255)
{
    return column(name, FieldType::Text, size, db::fieldattr::VariableField);
}
FieldDef memo(const QString& name)
{
    return column(name, FieldType::Memo, 0, db::fieldattr::VariableField);
}
FieldDef date(const QString& name)
{
    return text(name, 10); // dd/mm/yyyy
}
FieldDef dateKey(const QString& name)
{
    return text(name, 8); // yyyymmdd
}
// The sort key is up to three characters per letter of its name (Text 255), so Memo.
FieldDef sortKey()
{
    return memo(QStringLiteral("matt"));
}

// A table whose first column is its counter, with the primary index on it.
db::TableDef countedTable(const QString& name, const QList<FieldDef>& fields)
{
    db::TableDef def;
    def.name = name;
    def.fields = fields;
    def.indexes = {db::IndexDef{QStringLiteral("PrimaryKey"), {fields.first().name}, true, true}};
    return def;
}

// --- registers ---------------------------------------------------------------------------------

// clang-format off

// Incoming letters: cvden + year, and the print table incvden.
QList<FieldDef> incomingLetterColumns()
{
    return {
        counter(QStringLiteral("id")),
        number(QStringLiteral("stt")),          // register number within the year
        date(QStringLiteral("ng_den")),         // arrival date
        dateKey(QStringLiteral("ng_denchuan")),
        text(QStringLiteral("noigui")),         // sender
        text(QStringLiteral("so_cv")),          // the letter's own number
        date(QStringLiteral("ng_cv")),          // date on the letter
        dateKey(QStringLiteral("ng_cvchuan")),
        text(QStringLiteral("loai")),           // letter type
        memo(QStringLiteral("dv_nhan")),        // receiving units, joined by ", "
        text(QStringLiteral("cd_dang")),        // "Đảng,NN" or "Công đoàn"
        text(QStringLiteral("mat")),            // confidentiality grade
        memo(QStringLiteral("tt_ndung")),       // summary
        yesNo(QStringLiteral("da_xuli")),       // fully handled
        text(QStringLiteral("time_xl")),
        text(QStringLiteral("cv_traloi")),
        number(QStringLiteral("kieuupdate")),   // 0 replicated, 1 added, 2 changed
        number(QStringLiteral("idcu")),         // id in the file where the row was entered
        text(QStringLiteral("chonin"), 1),      // "X" when marked for printing
        // Handling (letters schema version 1), after the older columns as the upgrade of an older
        // file adds them, so that "INSERT INTO incvden Select *" pairs the same columns everywhere.
        date(QStringLiteral("hanxl")),          // handling deadline
        dateKey(QStringLiteral("hanxlchuan")),
        text(QStringLiteral("nguoixl")),        // person or unit in charge
    };
}

// Outgoing letters: cvdi + year, and the print table incvdi.
QList<FieldDef> outgoingLetterColumns()
{
    return {
        counter(QStringLiteral("id")),
        number(QStringLiteral("stt")),          // register number, counted per letter type
        text(QStringLiteral("so_cv")),
        date(QStringLiteral("ng_cv")),
        dateKey(QStringLiteral("ng_cvchuan")),
        text(QStringLiteral("loai")),
        memo(QStringLiteral("dv_nhan")),        // recipients, joined by ", "
        memo(QStringLiteral("noiluu")),         // units keeping the file copy, joined by ", "
        text(QStringLiteral("nguoiky")),        // signer
        memo(QStringLiteral("tt_ndung")),
        number(QStringLiteral("kieuupdate")),
        number(QStringLiteral("idcu")),
        text(QStringLiteral("chonin"), 1),
    };
}

// Work plans: kehoach + year. Plans have no print table: the report reads a stored query.
QList<FieldDef> planColumns()
{
    return {
        counter(QStringLiteral("ID")),
        text(QStringLiteral("Tendonvi")),
        text(QStringLiteral("iddonvi"), 50),    // the unit list's identifier, as text
        text(QStringLiteral("bophan")),
        text(QStringLiteral("idbophan"), 50),
        memo(QStringLiteral("ndungtt")),        // name or short summary of the task
        memo(QStringLiteral("ndungct")),        // detailed content
        text(QStringLiteral("loai")),
        date(QStringLiteral("Tgianbdau")),
        dateKey(QStringLiteral("Tgianbdauchuan")),
        date(QStringLiteral("Tgiankthuc")),
        dateKey(QStringLiteral("Tgiankthucchuan")),
        text(QStringLiteral("nguoichidao")),
        memo(QStringLiteral("chidao")),         // summary of the direction given
        memo(QStringLiteral("canbo")),          // staff carrying it out
        memo(QStringLiteral("ketqua")),         // result
        yesNo(QStringLiteral("khan")),          // urgent
        yesNo(QStringLiteral("ketthuc")),       // finished
        date(QStringLiteral("ngaycapnhat")),
        dateKey(QStringLiteral("ngaycapnhatchuan")),
        text(QStringLiteral("nguoicapnhat")),
    };
}

// Weekly schedule: lich + year, and the print table inlich.
QList<FieldDef> scheduleColumns()
{
    return {
        counter(QStringLiteral("ID")),
        date(QStringLiteral("ngay")),
        dateKey(QStringLiteral("ngaychuan")),
        text(QStringLiteral("thu"), 20),        // weekday name of ngay
        text(QStringLiteral("gio"), 50),        // time as typed, "8h30"
        text(QStringLiteral("giochuan")),       // "08h30": at most one character longer than gio
        memo(QStringLiteral("ndung")),          // name or short summary
        text(QStringLiteral("diadiem")),        // place
        text(QStringLiteral("nguoictri")),      // chairing
        text(QStringLiteral("nguoicbi")),       // preparing
        memo(QStringLiteral("thanhphan")),      // participants
        memo(QStringLiteral("ghichu")),         // note
        text(QStringLiteral("chonin"), 1),
        date(QStringLiteral("ngaycapnhat")),
        dateKey(QStringLiteral("ngaycapnhatchuan")),
        text(QStringLiteral("nguoicapnhat")),
    };
}

// clang-format on

// --- reference lists ---------------------------------------------------------------------------

// A list of the shape counter, name column, abbreviation `chutat`, sort key `matt`.
TemplateTable abbreviatedList(const QString& table, const QString& counterName, const QString& nameColumn,
                              const QList<QPair<QString, QString>>& namesAndAbbreviations)
{
    TemplateTable t;
    t.def =
        countedTable(table, {counter(counterName), text(nameColumn), text(QStringLiteral("chutat"), 50), sortKey()});
    t.sortKeySource = nameColumn;
    for (const auto& [name, abbreviation] : namesAndAbbreviations)
        t.rows << TemplateRow{{nameColumn, name}, {QStringLiteral("chutat"), abbreviation}};
    return t;
}

// The usual kinds of official document, with their customary abbreviations.
// clang-format off
const QList<QPair<QString, QString>> LetterTypes = {
    {QStringLiteral("Công văn"), QStringLiteral("CV")},
    {QStringLiteral("Quyết định"), QStringLiteral("QĐ")},
    {QStringLiteral("Tờ trình"), QStringLiteral("TTr")},
    {QStringLiteral("Báo cáo"), QStringLiteral("BC")},
    {QStringLiteral("Thông báo"), QStringLiteral("TB")},
    {QStringLiteral("Kế hoạch"), QStringLiteral("KH")},
    {QStringLiteral("Giấy mời"), QStringLiteral("GM")},
    {QStringLiteral("Chỉ thị"), QStringLiteral("CT")},
    {QStringLiteral("Nghị quyết"), QStringLiteral("NQ")},
    {QStringLiteral("Hướng dẫn"), QStringLiteral("HD")},
    {QStringLiteral("Chương trình"), QStringLiteral("CTr")},
    {QStringLiteral("Công điện"), QStringLiteral("CĐ")},
    {QStringLiteral("Biên bản"), QStringLiteral("BB")},
    {QStringLiteral("Nghị định"), QStringLiteral("NĐ")},
    {QStringLiteral("Thông tư"), QStringLiteral("TT")},
    {QStringLiteral("Quy chế"), QStringLiteral("QC")},
    {QStringLiteral("Quy định"), QStringLiteral("QyĐ")},
    {QStringLiteral("Đề án"), QStringLiteral("ĐA")},
    {QStringLiteral("Hợp đồng"), QStringLiteral("HĐ")},
    {QStringLiteral("Giấy giới thiệu"), QStringLiteral("GGT")},
};
// clang-format on

// Abbreviations for the free-text fields: plain letters, quick to type on any keyboard.
const QList<QPair<QString, QString>> Abbreviations = {
    {QStringLiteral("Uỷ ban nhân dân"), QStringLiteral("ubnd")},
    {QStringLiteral("Hội đồng nhân dân"), QStringLiteral("hdnd")},
    {QStringLiteral("Trung ương"), QStringLiteral("tw")},
    {QStringLiteral("Văn phòng"), QStringLiteral("vp")},
    {QStringLiteral("Chủ tịch"), QStringLiteral("ct")},
    {QStringLiteral("Phó Chủ tịch"), QStringLiteral("pct")},
    {QStringLiteral("Giám đốc"), QStringLiteral("gd")},
    {QStringLiteral("Phó Giám đốc"), QStringLiteral("pgd")},
    {QStringLiteral("Trưởng phòng"), QStringLiteral("tp")},
    {QStringLiteral("công văn"), QStringLiteral("cv")},
    {QStringLiteral("quyết định"), QStringLiteral("qd")},
    {QStringLiteral("thông báo"), QStringLiteral("tb")},
    {QStringLiteral("báo cáo"), QStringLiteral("bc")},
    {QStringLiteral("kế hoạch"), QStringLiteral("kh")},
    {QStringLiteral("Việt Nam"), QStringLiteral("vn")},
    {QStringLiteral("xã hội chủ nghĩa"), QStringLiteral("xhcn")},
};

} // namespace

QList<TemplateTable> templateTables()
{
    QList<TemplateTable> tables;
    const auto add = [&tables](const QString& name, const QList<FieldDef>& fields) {
        tables << TemplateTable{countedTable(name, fields), QString(), {}};
    };

    // Year-table templates: "cvden" + year and so on are created from them with no rows.
    add(QStringLiteral("cvdenmau"), incomingLetterColumns());
    // The due list reads the year tables by deadline; they inherit the index from the template.
    tables.last().def.indexes << app::deadlineIndex();
    add(QStringLiteral("cvdimau"), outgoingLetterColumns());
    add(QStringLiteral("kehoachmau"), planColumns());
    add(QStringLiteral("lichmau"), scheduleColumns());

    // Print tables: emptied and refilled with "INSERT INTO ... Select *" on every print.
    add(QStringLiteral("incvden"), incomingLetterColumns());
    add(QStringLiteral("incvdi"), outgoingLetterColumns());
    add(QStringLiteral("inlich"), scheduleColumns());

    // Units and departments belong to the organisation using the program: they start empty.
    tables << abbreviatedList(QStringLiteral("donvi"), QStringLiteral("ID"), QStringLiteral("tendonvi"), {});
    TemplateTable departments;
    departments.def = countedTable(QStringLiteral("bophan"),
                                   {counter(QStringLiteral("id")), text(QStringLiteral("donvi")),
                                    text(QStringLiteral("donviid"), 50), text(QStringLiteral("phong")), sortKey()});
    departments.sortKeySource = QStringLiteral("phong");
    tables << departments;

    tables << abbreviatedList(QStringLiteral("noigui"), QStringLiteral("ID"), QStringLiteral("tendonvi"), {});
    tables << abbreviatedList(QStringLiteral("loaicv"), QStringLiteral("ID"), QStringLiteral("loai"), LetterTypes);
    tables << abbreviatedList(QStringLiteral("chutat"), QStringLiteral("ID"), QStringLiteral("chudu"), Abbreviations);

    // The organisation's names: one row, which the program only ever edits. The captions of the
    // form that edits them stand in until the user types the real names.
    TemplateTable organisation;
    organisation.def.name = QStringLiteral("tendonvi");
    organisation.def.fields = {text(QStringLiteral("tendonvi")), text(QStringLiteral("tencaptren"))};
    organisation.rows << TemplateRow{{QStringLiteral("tendonvi"), QStringLiteral("Tên đơn vị")},
                                     {QStringLiteral("tencaptren"), QStringLiteral("Tên cấp trên trực tiếp")}};
    tables << organisation;

    // Users: empty, so that whoever starts the program first is let in as administrator and
    // can then add the users.
    TemplateTable users;
    users.def = countedTable(QStringLiteral("nguoidung"),
                             {counter(QStringLiteral("ID")), text(QStringLiteral("hoten")),
                              text(QStringLiteral("tentrenmang")), text(QStringLiteral("quyenhan"), 50),
                              text(QStringLiteral("matkhau")), text(QStringLiteral("cothesua"), 1)});
    tables << users;

    // The files attached to letters, named by the letter's year table and id (the store beside
    // the letters file keeps the files themselves).
    tables << TemplateTable{datafiles::attachmentsTableDef(), QString(), {}};

    return tables;
}

} // namespace tmpl
