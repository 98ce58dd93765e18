#pragma once

// Every statement and find criterion the program runs, with the two data files they run on: "cv"
// is the letters file (holding the year tables of 2009 and the reference lists); "other" is a
// second copy of the template that plays the backup file, the scratch file with the print tables,
// and the old file an import reads from. The database layer's tests run them on files, the server
// engine's on the same files moved to a server.

#include "db_fixture.h"
#include "template_file.h"

#include <algorithm>

namespace dialect {

enum class Kind
{
    Execute,  // execute the statement, then compare the rows of `check` (a Jet SELECT)
    Rows,     // open the statement as a dynaset and compare the fields named in `check`
    RowCount, // open the statement as a dynaset and compare its number of rows with `expected`
    Find,     // open `check` ("<source>" or "<source> -> <field>") as a dynaset, find the
              // statement's criterion first then next; compare the ids (or that field) of the rows found
};

struct DialectCase
{
    const char* name;
    Kind kind;
    const char* statement; // {cv} and {other} stand for the two files' paths
    const char* check;
    const char* expected;     // rows separated by ";", values by "|"; NULL for null
    const char* runOn = "cv"; // "cv" or "other"
    const char* checkOn = ""; // Execute: "cv", "other", or "indexes:<table>" / "tables" of that file; "": runOn
    // Lines "cv: <statement>", "other: <statement>", "cv query <name>: <sql>" (stored query),
    // "cv table <name>: <template>" (a table with the template's fields and indexes, no rows).
    const char* setup = "";
};

// The criteria the search forms build (criteria language) are written as the builders write them.
inline const DialectCase dialectCases[] = {
    // --- reference recordsets and lists -------------------------------------------------------
    {"AbbreviationsOrderedBySortKey", Kind::Rows, "SELECT * FROM chutat ORDER BY matt", "chutat|chudu",
     "cv|công văn;ubnd|Uỷ ban nhân dân;vp|Văn phòng"},
    {"UnitsOrderedBySortKey", Kind::Rows, "SELECT * FROM donvi ORDER BY matt", "tendonvi|chutat",
     "Đội xe|DX;Phòng Tổ chức|TC;Văn phòng|VP"},
    {"CorrespondentsOrderedBySortKey", Kind::Rows, "select * from noigui  order by matt", "tendonvi|chutat",
     "Bộ Tài chính|BTC;Sở Y tế|SYT"},
    {"LetterTypesOrderedBySortKey", Kind::Rows, "select * from loaicv  order by matt", "loai|chutat",
     "Công văn|CV;Quyết định|QĐ;Thông báo|TB"},
    {"DepartmentsOrderedByUnitThenName", Kind::Rows, "select * from bophan order by donvi, phong", "phong",
     "Nhân sự;Hành chính;Lái xe"},
    {"DepartmentsOrderedBySortKey", Kind::Rows, "SELECT * FROM bophan ORDER BY matt", "phong",
     "Hành chính;Lái xe;Nhân sự"},
    {"UsersAll", Kind::RowCount, "select * from nguoidung", "", "3"},
    {"UsersOwnRowByNameOrLogin", Kind::Rows,
     "select * from nguoidung where hoten='nguyễn văn a' or tentrenmang ='NGUYỄN VĂN A'", "tentrenmang", "nva"},
    {"OrganisationName", Kind::Rows, "select * from tendonvi", "tendonvi", "Tên đơn vị"},
    {"YearsListNewestFirst", Kind::Rows, "select distinct matt from bophan order by matt desc", "matt", "2009;2008",
     "other", "",
     "other: DELETE * FROM bophan\n"
     "other: INSERT INTO bophan (matt) VALUES ('2008')\n"
     "other: INSERT INTO bophan (matt) VALUES ('2009')\n"
     "other: INSERT INTO bophan (matt) VALUES ('2009')"},

    // --- register lists and pick lists -----------------------------------------------------------
    {"PlansOrderedByStartThenEndJoined", Kind::Rows,
     "SELECT * FROM kehoach2009 ORDER BY tgianbdauchuan+tgiankthucchuan ", "ndungtt",
     "Kiểm tra;Tuyển dụng;Tổng kết năm"},
    {"PlanTypesDistinctIgnoringCase", Kind::RowCount, "select distinct loai from kehoach2009 order by loai", "", "2"},
    {"IncomingReceiversDistinctNotEmpty", Kind::RowCount, "select distinct dv_nhan from cvden2009 where dv_nhan<>''",
     "", "2"},
    {"IncomingTypesDistinctIgnoringCase", Kind::RowCount, "select distinct loai from cvden2009 where loai<>''", "",
     "2"},
    {"OutgoingFilingPlacesDistinctIgnoringCase", Kind::RowCount,
     "select distinct noiluu from cvdi2009 where noiluu<>''", "", "1"},
    {"PlanUnitsWithoutBlankNames", Kind::Rows,
     "select distinct tendonvi from kehoach2009 where len(trim(tendonvi))>0 order by tendonvi", "tendonvi",
     "Phòng Tổ chức;Văn phòng"},
    {"PlanTypesWithoutBlankNames", Kind::RowCount,
     "select distinct loai from kehoach2009 where len(trim(loai))>0 order by loai", "", "2"},
    {"WeekOfScheduleOrderedByDayAndTime", Kind::Rows,
     "Select * from lich2009 where [ngaychuan]>= '20090302' and [ngaychuan]<= '20090308' order by "
     "[ngaychuan],[giochuan]",
     "ndung", "Chào cờ;Giao ban"},
    {"ScheduleListOrderedByDayAndTime", Kind::Rows, "select * from lich2009 order by [ngaychuan], [giochuan]", "ndung",
     "Trực;Chào cờ;Giao ban;Họp tuần sau"},
    {"ScheduleSearchAllBracketedTable", Kind::Rows, "select * from [lich2009] order by [ngaychuan]", "ngaychuan",
     "20090301;20090302;20090302;20090309"},
    {"IncomingByDateRange", Kind::Rows,
     "Select * from cvden2009 where [ng_denchuan]>= '20090201' and [ng_denchuan]<= '20090301';", "stt", "2;3"},
    {"PlanSearchFlagsAndText", Kind::Rows,
     "SELECT * FROM kehoach2009 WHERE (([ndungtt] Like '*tổng*')) and [khan] = True and [ketthuc] = False order by "
     "tgianbdauchuan+tgiankthucchuan",
     "ndungtt", "Tổng kết năm"},
    {"PlanSearchThroughStoredQuery", Kind::Rows, "Qrtracuu", "ndungtt", "Tuyển dụng;Tổng kết năm", "cv", "",
     "cv query Qrtracuu: SELECT * FROM kehoach2009 WHERE ([id]=1 or [id]=2) order by tgianbdauchuan+tgiankthucchuan"},
    {"PlanPrintStatementCutsResult", Kind::Rows,
     "select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,tgiankthucchuan,canbo,"
     "left(ketqua,250) as nhomcongviec from kehoach2009 WHERE [id]=2 order by tgianbdauchuan+tgiankthucchuan",
     "nguoichidao|Tgianbdau", "Phó Giám đốc|04/01/2009"},
    {"PlanPrintQueryOpenedByName", Kind::Rows, "QrIn", "ndungtt", "Kiểm tra;Tuyển dụng;Tổng kết năm", "cv", "",
     "cv query QrIn: select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,"
     "tgiankthucchuan,canbo,left(ketqua,250) as nhomcongviec from kehoach2009 order by "
     "tgianbdauchuan+tgiankthucchuan"},
    {"ScheduleSearchCondition", Kind::Rows,
     "SELECT * FROM lich2009 WHERE (([ndung] Like '*GIAO*') or ([ndung] Like '*trực*')) order by [ngaychuan]", "ndung",
     "Trực;Giao ban"},
    {"ChangedLettersToReplicate", Kind::Rows, "select * from cvden2009 where kieuupdate>0", "stt", "2;3;4"},

    // --- print marks and print tables --------------------------------------------------------------
    {"IncomingMarksCleared", Kind::Execute, "UPDATE cvden2009 SET chonin = '' where [chonin]= 'X' ;",
     "select stt from cvden2009 where chonin<>''", ""},
    {"OutgoingMarksCleared", Kind::Execute, "UPDATE cvdi2009 SET chonin = '' where [chonin] = 'X';",
     "select count(*) from cvdi2009 where chonin='X'", "0"},
    {"IncomingSearchHitsMarked", Kind::Execute, "UPDATE cvden2009 SET chonin = 'X' where (([noigui] Like '*bộ*'));",
     "select stt from cvden2009 where chonin='X' order by stt", "1;2;3"},
    {"OutgoingSearchHitsMarkedWithoutSemicolon", Kind::Execute,
     "UPDATE cvdi2009 SET chonin = 'X' where (([dv_nhan] Like '*y tế*'))", "select stt from cvdi2009 where chonin='X'",
     "2", "cv", "", "cv: UPDATE cvdi2009 SET chonin = ''"},
    {"WholeTableMarked", Kind::Execute, "UPDATE cvden2009 SET chonin = 'X' ;",
     "select count(*) from cvden2009 where chonin='x'", "4"},
    {"ScheduleMarksClearedWhereNotEmpty", Kind::Execute, "UPDATE lich2009 SET chonin = '' where [chonin]<>'';",
     "select count(*) from lich2009 where chonin=''", "4"},
    {"ScheduleMarksClearedLowerCaseColumn", Kind::Execute, "UPDATE lich2009 SET chonin = '' where chonin='X' ;",
     "select count(*) from lich2009 where chonin='X'", "0"},
    {"IncomingPrintTableEmptied", Kind::Execute, "DELETE * FROM incvden ;", "select count(*) from incvden", "0",
     "other", "", "other: INSERT INTO incvden (stt) VALUES (9)"},
    {"IncomingMarkedRowsPrinted", Kind::Execute,
     " INSERT INTO incvden Select * from qrdata1 In '{cv}' where [chonin]= 'X' order by [id]",
     "select stt, noigui, ng_denchuan from incvden order by id", "2|BỘ NỘI VỤ|20090210;3|Sở Xây dựng Hà Nội|20090301",
     "other", "", "cv query qrdata1: select * from cvden2009 order by id"},
    {"IncomingSearchHitsPrinted", Kind::Execute,
     " INSERT INTO incvden Select * from qrdata1 In '{cv}' where [chonin]= 'X' order by [id]",
     "select stt from incvden", "3", "other", "",
     "cv query qrdata1: SELECT * FROM cvden2009 WHERE (([noigui] Like '*sở*'))"},
    {"OutgoingMarkedRowsPrinted", Kind::Execute,
     " INSERT INTO incvdi Select * from qrdata1 IN '{cv}' where [chonin]= 'X' order by [id]",
     "select so_cv, nguoiky from incvdi", "1/UBND|Nguyễn Văn A", "other", "",
     "cv query qrdata1: select * from cvdi2009 order by id"},
    {"IncomingDateRangePrinted", Kind::Execute,
     " INSERT INTO incvden Select * from cvden2009 In '{cv}' where [ng_denchuan]>= '20090201' and "
     "[ng_denchuan]<= '20090301' order by [id]",
     "select stt from incvden order by stt", "2;3", "other"},
    {"ScheduleMarkedRowsPrinted", Kind::Execute,
     " INSERT INTO inlich Select * from qrdata1 IN '{cv}' where [chonin]= 'X' order by [ngaychuan],[giochuan]",
     "select ndung from inlich order by id", "Giao ban;Họp tuần sau", "other", "",
     "cv query qrdata1: select * from lich2009 order by id"},
    {"WeekPrinted", Kind::Execute,
     " INSERT INTO inlich Select * from lich2009 IN '{cv}' where [ngaychuan]>= '20090302' and [ngaychuan]<= "
     "'20090308' order by [ngaychuan],[giochuan]",
     "select ndung from inlich order by giochuan", "Chào cờ;Giao ban", "other"},

    // --- backup replication ---------------------------------------------------------------------------
    {"NewIncomingRowsCopiedToBackup", Kind::Execute,
     " INSERT INTO cvden2009 IN '{other}' Select stt,ng_den,noigui,so_cv,ng_cv,loai,dv_nhan,cd_dang,mat,time_xl,"
     "cv_traloi,da_xuli,tt_ndung,ng_denchuan,ng_cvchuan,idcu from cvden2009 where kieuupdate=1 order by id",
     "select idcu, noigui, kieuupdate from cvden2009 order by idcu", "1|Bộ Tài chính|0;2|BỘ NỘI VỤ|NULL;3|cũ|0", "cv",
     "other"},
    {"NewOutgoingRowsCopiedToBackup", Kind::Execute,
     " INSERT INTO cvdi2009 IN '{other}' Select stt,so_cv,ng_cv,loai,dv_nhan,noiluu,nguoiky,tt_ndung,ng_cvchuan,idcu"
     " from cvdi2009 where kieuupdate=1 order by id",
     "select idcu, so_cv from cvdi2009 order by idcu", "1|1/UBND", "cv", "other"},
    {"AddedFlagsReset", Kind::Execute, "update cvden2009 set kieuupdate=0 where kieuupdate=1",
     "select stt, kieuupdate from cvden2009 order by stt", "1|0;2|0;3|2;4|2"},
    {"ChangedIncomingRowsUpdateTheirBackupCopy", Kind::Execute,
     "update cvden2009, Qrbangcvden set Qrbangcvden.stt=cvden2009.stt, Qrbangcvden.ng_den=cvden2009.ng_den, "
     "Qrbangcvden.noigui=cvden2009.noigui, Qrbangcvden.so_cv=cvden2009.so_cv, Qrbangcvden.ng_cv=cvden2009.ng_cv, "
     "Qrbangcvden.loai=cvden2009.loai, Qrbangcvden.dv_nhan=cvden2009.dv_nhan, Qrbangcvden.cd_dang=cvden2009.cd_dang, "
     "Qrbangcvden.mat=cvden2009.mat, Qrbangcvden.time_xl=cvden2009.time_xl, "
     "Qrbangcvden.cv_traloi=cvden2009.cv_traloi, Qrbangcvden.da_xuli=cvden2009.da_xuli, "
     "Qrbangcvden.tt_ndung=cvden2009.tt_ndung, Qrbangcvden.ng_denchuan=cvden2009.ng_denchuan, "
     "Qrbangcvden.ng_cvchuan=cvden2009.ng_cvchuan  where Qrbangcvden.idcu=cvden2009.idcu  and "
     "cvden2009.kieuupdate=2 ",
     "select idcu, stt, noigui, so_cv from cvden2009 order by idcu", "1|1|Bộ Tài chính|12/QĐ;3|3|Sở Xây dựng Hà Nội|3",
     "cv", "other"},
    {"ChangedOutgoingRowsUpdateTheirBackupCopy", Kind::Execute,
     "update cvdi2009, Qrbangcvdi set Qrbangcvdi.stt=cvdi2009.stt, Qrbangcvdi.so_cv=cvdi2009.so_cv, "
     "Qrbangcvdi.ng_cv=cvdi2009.ng_cv, Qrbangcvdi.loai=cvdi2009.loai, Qrbangcvdi.dv_nhan=cvdi2009.dv_nhan, "
     "Qrbangcvdi.noiluu=cvdi2009.noiluu, Qrbangcvdi.nguoiky=cvdi2009.nguoiky, Qrbangcvdi.tt_ndung=cvdi2009.tt_ndung, "
     "Qrbangcvdi.ng_cvchuan=cvdi2009.ng_cvchuan  where Qrbangcvdi.idcu=cvdi2009.idcu  and cvdi2009.kieuupdate=2 ",
     "select idcu, stt, so_cv, nguoiky from cvdi2009", "2|2|2/UBND|Trần B", "cv", "other",
     "other: INSERT INTO cvdi2009 (stt, so_cv, idcu) VALUES (0, 'cũ', 2)\n"
     "cv: UPDATE cvdi2009 SET kieuupdate = 2 WHERE idcu = 2"},
    {"AllFlagsReset", Kind::Execute, "update cvden2009 set kieuupdate=0 where kieuupdate>0",
     "select count(*) from cvden2009 where kieuupdate=0", "4"},
    {"WholeYearTableCopiedToBackup", Kind::Execute, "SELECT cvden2009.* INTO cvden2009 IN '{other}' FROM cvden2009 ;",
     "select stt, noigui, kieuupdate from cvden2009 order by id",
     "1|Bộ Tài chính|0;2|BỘ NỘI VỤ|1;3|Sở Xây dựng Hà Nội|2;4|Đức Phổ|2", "cv", "other", "other: drop table cvden2009"},
    {"PrimaryIndexCreatedOnCopiedTable", Kind::Execute, "CREATE INDEX idprimarykey ON cvden2009(id ASC) WITH  PRIMARY ",
     "", "idprimarykey|id|unique|primary", "other", "indexes:cvden2009",
     "other: drop table cvden2009\ncv: SELECT cvden2009.* INTO cvden2009 IN '{other}' FROM cvden2009 ;"},
    // Indexes order texts in binary, so a unique one takes a name again in another letter case.
    {"LetterTypeInAnotherCaseTakenByAUniqueIndex", Kind::Execute,
     "INSERT INTO loaicv (loai, chutat) VALUES ('CÔNG VĂN', 'CV')", "select count(*) from loaicv where loai='công văn'",
     "2", "cv", "", "cv: CREATE UNIQUE INDEX tenloai ON loaicv (loai)"},

    // --- import of old data -------------------------------------------------------------------------
    {"OldYearTableRead", Kind::Rows, "select * from cvden2007", "so_cv", "1/2007;2/2007", "other"},
    {"ImportedTableDropped", Kind::Execute, "drop table cvden2007", "cvden2007", "0", "other", "tables"},
    {"OldYearTableCopiedMatchingColumnsByName", Kind::Execute,
     " INSERT INTO cvden2007 IN '{cv}' Select stt,ng_den,ng_denchuan,noigui,so_cv,ng_cv,ng_cvchuan,loai,dv_nhan,"
     "cd_dang,mat,tt_ndung,da_xuli,time_xl,cv_traloi,kieuupdate,idcu,chonin from cvden2007 order by [id]",
     "select stt, so_cv, noigui from cvden2007 order by id", "1|1/2007|Bộ Công an;2|2/2007|NULL", "other", "cv",
     "cv table cvden2007: cvdenmau"},
    {"ScratchListDroppedBeforeMerge", Kind::Execute, "drop table temp", "temp", "0", "cv", "tables",
     "cv: select * into temp from donvi"},
    {"OldUnitsCopiedIntoScratchTable", Kind::Execute, "select * into temp in '{cv}' from donvi",
     "select tendonvi from temp order by id", "VĂN PHÒNG;Phòng Kế toán;Phòng Kế toán", "other", "cv"},
    {"UnitsMergedOnName", Kind::Execute,
     "insert into donvi select distinct tendonvi,chutat,matt from temp where tendonvi not IN (select distinct "
     "tendonvi from donvi)",
     "select tendonvi from donvi order by matt", "Đội xe;Phòng Tổ chức;Phòng Kế toán;Văn phòng", "cv", "",
     "other: select * into temp in '{cv}' from donvi"},
    {"DepartmentsMergedOnNameAndUnit", Kind::Execute,
     "insert into bophan select distinct donvi,donviid,phong,matt from temp where phong+donvi not IN (select "
     "distinct phong+donvi from bophan)",
     "select donvi, phong from bophan order by id",
     "Văn phòng|Hành chính;Văn phòng|Lái xe;Phòng Tổ chức|Nhân sự;Phòng Kế toán|Hành chính", "cv", "",
     "other: select * into temp in '{cv}' from bophan"},
    {"AbbreviationsMergedOnTextAndCode", Kind::Execute,
     "insert into chutat select distinct chudu,chutat,matt from temp where chudu+chutat not IN (select distinct "
     "chudu+chutat from chutat)",
     "select chutat from chutat order by matt", "cv;ubnd;ubt;vp", "cv", "",
     "other: select * into temp in '{cv}' from chutat"},
    {"LetterTypesMergedOnName", Kind::Execute,
     "insert into loaicv select distinct loai,chutat,matt from temp where loai not IN (select distinct loai from "
     "loaicv)",
     "select loai from loaicv order by matt", "Công văn;Nghị quyết;Quyết định;Thông báo", "cv", "",
     "other: select * into temp in '{cv}' from loaicv"},
    {"UsersMergedOnName", Kind::Execute,
     "insert into nguoidung select distinct hoten,tentrenmang,quyenhan,matkhau,cothesua from temp where hoten not "
     "IN (select distinct hoten from nguoidung)",
     "select hoten from nguoidung order by id", "Nguyễn Văn A;Trần Thị Bình;Lê Đức;Phạm Mới", "cv", "",
     "other: select * into temp in '{cv}' from nguoidung"},
    {"CorrespondentsMergedOnName", Kind::Execute,
     "insert into noigui select distinct tendonvi,chutat,matt from temp where tendonvi not IN (select distinct "
     "tendonvi from noigui)",
     "select count(*) from noigui", "2", "cv", "", "other: select * into temp in '{cv}' from noigui"},

    // --- find criteria -----------------------------------------------------------------------------
    {"LoginByNetworkNameAndPassword", Kind::Find, "tentrenmang='NVA' and matkhau ='abc'", "select * from nguoidung",
     "1"},
    {"LoginPasswordIsCaseInsensitiveAsTheDatabaseCompares", Kind::Find, "hoten='nguyễn văn a' and matkhau ='ABC'",
     "select * from nguoidung", "1"},
    {"LoginByNameOrNetworkName", Kind::Find, "hoten='lê đức' or tentrenmang ='lê đức'", "select * from nguoidung", "3"},
    {"LoginPasswordWithQuote", Kind::Find, "hoten='Lê Đức' and matkhau ='x''y'", "select * from nguoidung", "3"},
    {"LoginUnknownName", Kind::Find, "hoten='Không Có' or tentrenmang ='Không Có'", "select * from nguoidung", ""},
    {"AdministratorsSought", Kind::Find, "quyenhan like '*q*'", "select * from nguoidung", "1"},
    {"UserNameTakenByAnother", Kind::Find, "hoten='TRẦN THỊ BÌNH' and id<>1", "select * from nguoidung", "2"},
    {"LoginNameTakenByAnother", Kind::Find, "tentrenmang='leduc' and id<>3", "select * from nguoidung", ""},
    {"AbbreviationLookupIgnoresCase", Kind::Find, "chutat = 'UBND'", "SELECT * FROM chutat ORDER BY matt -> chudu",
     "Uỷ ban nhân dân"},
    {"MarkedLetterSought", Kind::Find, "chonin= 'X'", "cvden2009", "2;3"},
    {"LetterTypeSought", Kind::Find, "loai ='quyết định'", "cvden2009", "1;2"},
    {"RecordFoundAgainByIdWithBlank", Kind::Find, "id = 2", "SELECT * FROM donvi ORDER BY matt", "2"},
    {"AlreadyImportedTest", Kind::Find, "noigui='bộ tài chính' and so_cv='12/QĐ' and tt_ndung='Về việc tăng lương'",
     "select * from cvden2009", "1"},
    {"AlreadyImportedTestWithoutSender", Kind::Find, "so_cv='3' and tt_ndung='LỊCH HỌP'", "select * from cvden2009",
     "3"},
    {"SearchConditionAsCriterion", Kind::Find, "([stt]=12) and (([noigui] Like '*Bộ*'))", "cvden2009", ""},
    {"NumericCriterionNotEqual", Kind::Find, "([stt] <> 2)", "cvden2009", "1;3;4"},
};

// Rows as an engine gives them: the columns' names and each row's values.
struct Rows
{
    QStringList columns;
    QList<QVariantList> values;
};

inline QString valueText(const QVariant& v)
{
    return v.isNull() ? u"NULL"_s : v.toString();
}

// The position of the column named `name` in any letter case.
inline qsizetype columnOf(const QStringList& columns, const QString& name)
{
    return std::find_if(columns.begin(), columns.end(),
                        [&](const QString& c) { return c.compare(name, Qt::CaseInsensitive) == 0; }) -
           columns.begin();
}

// Rows as the cases write them: the named columns, or all.
template <class RowsOf> QString rowsText(const RowsOf& rows, const QStringList& fields = {})
{
    QStringList out;
    for (const QVariantList& row : rows.values) {
        QStringList values;
        for (qsizetype i = 0; i < (fields.isEmpty() ? rows.columns.size() : fields.size()); ++i)
            values << valueText(row.value(fields.isEmpty() ? i : columnOf(rows.columns, fields[i])));
        out << values.join(u'|');
    }
    return out.join(u';');
}

// Gives data the table `to` with the fields and indexes of `from`, without its rows.
template <class Data> void copyTable(Data& data, const QString& from, const QString& to)
{
    db::TableDef def = data.tableDef(from);
    def.name = to;
    data.appendTableDef(def);
}

// Runs case c on an engine and compares its effect. The engine offers the data set or file named
// "cv" or "other" (data(name): a db::Database or a server data set, which offer the same calls),
// withPaths(text), select(data, sql, type) giving rows, count(data, sql), found(data, source,
// criterion, field) giving that field of the rows found first then next, and definitions(runOn,
// checkOn, check) for the checks "indexes:<table>" and "tables".
template <class Engine> void checkCase(const DialectCase& c, Engine& engine)
{
    const QString runOn = QString::fromUtf8(c.runOn);
    const QString check = QString::fromUtf8(c.check);
    try {
        // Setup lines: a table copied from a template table, a stored query made or changed, or a
        // statement executed.
        for (const QString& line : QString::fromUtf8(c.setup).split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype colon = line.indexOf(QLatin1String(": "));
            ASSERT_GT(colon, 0) << line.toStdString();
            const QStringList head = line.left(colon).split(u' ');
            const QString body = engine.withPaths(line.mid(colon + 2));
            auto& data = engine.data(head[0]);
            if (head.size() == 3 && head[1] == QLatin1String("table")) {
                copyTable(data, body, head[2]);
            } else if (head.size() == 3 && head[1] == QLatin1String("query")) {
                if (data.queryNames().contains(head[2], Qt::CaseInsensitive))
                    data.setQuerySql(head[2], body);
                else
                    data.createQueryDef(head[2], body);
            } else {
                data.execute(body);
            }
        }
        const QString statement = engine.withPaths(QString::fromUtf8(c.statement));
        auto& data = engine.data(runOn);
        QString got;
        const QString checkOn = *c.checkOn ? QString::fromUtf8(c.checkOn) : runOn;
        switch (c.kind) {
        case Kind::Execute:
            data.execute(statement);
            if (checkOn.startsWith(QLatin1String("indexes:")) || checkOn == QLatin1String("tables"))
                got = engine.definitions(runOn, checkOn, check);
            else
                got =
                    rowsText(engine.select(engine.data(checkOn), engine.withPaths(check), db::RecordsetType::Snapshot));
            break;
        case Kind::Rows:
            got = rowsText(engine.select(data, statement, db::RecordsetType::Dynaset), check.split(u'|'));
            break;
        case Kind::RowCount:
            got = QString::number(engine.count(data, statement));
            break;
        case Kind::Find: {
            const QStringList source = check.split(u" -> "_s);
            got = engine.found(data, engine.withPaths(source[0]), statement, source.value(1, u"id"_s)).join(u';');
            break;
        }
        }
        EXPECT_EQ(got.toStdString(), c.expected);
    } catch (const db::DbError& e) {
        ADD_FAILURE() << "DbError " << e.number() << ": " << e.description().toStdString();
    }
}

inline void PrintTo(const DialectCase& c, std::ostream* os)
{
    *os << c.name;
}

// The two files, copied from the template and filled, in dir.
class DialectFiles
{
public:
    explicit DialectFiles(const QString& dir)
        : cvPath(dir + u"/vemocv.mdb"_s), otherPath(dir + u"/backup.mdb"_s), cv(test::copyTemplate(cvPath)),
          other(test::copyTemplate(otherPath))
    {
        seedLetters();
        seedOther();
    }

    // {cv} and {other} replaced by the files' paths.
    QString withPaths(const QString& text) const
    {
        QString out = text;
        out.replace(QLatin1String("{cv}"), cvPath);
        out.replace(QLatin1String("{other}"), otherPath);
        return out;
    }

    // One INSERT per row of values into "table (columns)".
    static void insert(db::Database& db, const char* into, std::initializer_list<const char*> rows)
    {
        for (const char* values : rows)
            db.execute(u"INSERT INTO "_s + QString::fromUtf8(into) + u" VALUES ("_s + QString::fromUtf8(values) + u')');
    }

    void seedLetters()
    {
        for (const char* year : {"cvden", "cvdi", "kehoach", "lich"})
            copyTable(cv, QLatin1String(year) + u"mau"_s, QLatin1String(year) + u"2009"_s);
        insert(
            cv,
            "cvden2009 (stt, ng_den, ng_denchuan, noigui, so_cv, loai, dv_nhan, tt_ndung, chonin, kieuupdate, idcu, "
            "da_xuli)",
            {"1, '05/01/2009', '20090105', 'Bộ Tài chính', '12/QĐ', 'Quyết định', 'Phòng Tổ chức', "
             "'Về việc tăng lương', '', 0, 1, True",
             "2, '10/02/2009', '20090210', 'BỘ NỘI VỤ', '7/TB', 'QUYẾT ĐỊNH', 'Văn phòng', 'Hướng dẫn thi đua', 'X', "
             "1, 2, False",
             "3, '01/03/2009', '20090301', 'Sở Xây dựng Hà Nội', '3', 'Thông báo', '', 'Lịch họp', 'x', 2, 3, False",
             "4, '02/03/2009', '20090302', 'Đức Phổ', 'O''Neil/5', 'thông báo', 'VĂN PHÒNG', "
             "'Nội dung của O''Neil', '', 2, 4, False"});
        insert(cv,
               "cvdi2009 (stt, so_cv, ng_cv, ng_cvchuan, loai, dv_nhan, noiluu, nguoiky, tt_ndung, kieuupdate, "
               "idcu, chonin)",
               {"1, '1/UBND', '03/01/2009', '20090103', 'Công văn', 'Bộ Tài chính', 'Văn phòng', 'Nguyễn Văn A', "
                "'Báo cáo quý', 1, 1, 'X'",
                "2, '2/UBND', '15/02/2009', '20090215', 'Tờ trình', 'Sở Y tế', 'VĂN PHÒNG', 'Trần B', 'Xin kinh phí', "
                "0, 2, ''"});
        insert(cv,
               "kehoach2009 (Tendonvi, bophan, ndungtt, loai, Tgianbdau, Tgianbdauchuan, Tgiankthuc, "
               "Tgiankthucchuan, nguoichidao, ketqua, khan, ketthuc)",
               {"'Văn phòng', 'Hành chính', 'Tổng kết năm', 'Hội nghị', '05/01/2009', '20090105', '10/01/2009', "
                "'20090110', 'Giám đốc', 'Xong', True, False",
                "'Phòng Tổ chức', 'Nhân sự', 'Tuyển dụng', 'hội nghị', '04/01/2009', '20090104', '20/02/2009', "
                "'20090220', 'Phó Giám đốc', 'Đạt', False, True"});
        insert(cv,
               "kehoach2009 (Tendonvi, bophan, ndungtt, loai, Tgianbdau, Tgianbdauchuan, Tgiankthuc, "
               "Tgiankthucchuan, khan, ketthuc)",
               {"'  ', '', 'Kiểm tra', 'Kiểm tra', '04/01/2009', '20090104', '01/02/2009', '20090201', False, False"});
        insert(cv, "lich2009 (ngay, ngaychuan, gio, giochuan, ndung, diadiem, chonin)",
               {"'02/03/2009', '20090302', '8h00', '0800', 'Giao ban', 'Phòng họp', 'X'",
                "'02/03/2009', '20090302', '7h30', '0730', 'Chào cờ', 'Sân', ''",
                "'09/03/2009', '20090309', '8h00', '0800', 'Họp tuần sau', '', 'X'",
                "'01/03/2009', '20090301', '9h', '0900', 'Trực', '', ''"});
        insert(cv, "donvi (tendonvi, chutat, matt)",
               {"'Văn phòng', 'VP', 'v'", "'Phòng Tổ chức', 'TC', 'p'", "'Đội xe', 'DX', 'dz'"});
        insert(cv, "bophan (donvi, donviid, phong, matt)",
               {"'Văn phòng', '1', 'Hành chính', 'h'", "'Văn phòng', '1', 'Lái xe', 'l'",
                "'Phòng Tổ chức', '2', 'Nhân sự', 'n'"});
        insert(cv, "nguoidung (hoten, tentrenmang, quyenhan, matkhau, cothesua)",
               {"'Nguyễn Văn A', 'nva', 'QT', 'abc', 'C'", "'Trần Thị Bình', '', 'CB', '', 'C'",
                "'Lê Đức', 'leduc', 'LĐ', 'x''y', 'C'"});
        insert(cv, "noigui (tendonvi, chutat, matt)", {"'Sở Y tế', 'SYT', 's'", "'Bộ Tài chính', 'BTC', 'b'"});
        cv.execute(u"DELETE * FROM loaicv"_s);
        cv.execute(u"DELETE * FROM chutat"_s);
        insert(cv, "loaicv (loai, chutat, matt)",
               {"'Quyết định', 'QĐ', 'q'", "'Công văn', 'CV', 'c'", "'Thông báo', 'TB', 't'"});
        insert(cv, "chutat (chudu, chutat, matt)",
               {"'Uỷ ban nhân dân', 'ubnd', 'u'", "'công văn', 'cv', 'c'", "'Văn phòng', 'vp', 'v'"});
        cv.createQueryDef(u"Qrbangcvden"_s, withPaths(u"select * from cvden2009 in '{other}'"_s));
        cv.createQueryDef(u"Qrbangcvdi"_s, withPaths(u"select * from cvdi2009 in '{other}'"_s));
    }

    // The backup file: year tables with the copies of earlier replications. The old file: the
    // year table of 2007 and reference lists overlapping those of the letters file.
    void seedOther()
    {
        for (const char* year : {"cvden", "cvdi"})
            copyTable(other, QLatin1String(year) + u"mau"_s, QLatin1String(year) + u"2009"_s);
        copyTable(other, u"cvdenmau"_s, u"cvden2007"_s);
        insert(other, "cvden2009 (stt, noigui, so_cv, idcu, kieuupdate)",
               {"1, 'Bộ Tài chính', '12/QĐ', 1, 0", "0, 'cũ', 'cũ', 3, 0"});
        insert(other, "cvden2007 (stt, so_cv, noigui, chonin)", {"1, '1/2007', 'Bộ Công an', ''"});
        insert(other, "cvden2007 (stt, so_cv, chonin)", {"2, '2/2007', ''"});
        insert(other, "donvi (tendonvi, chutat, matt)",
               {"'VĂN PHÒNG', 'VP', 'v'", "'Phòng Kế toán', 'KT', 'pk'", "'Phòng Kế toán', 'KT', 'pk'"});
        insert(other, "bophan (donvi, donviid, phong, matt)",
               {"'VĂN PHÒNG', '1', 'HÀNH CHÍNH', 'h'", "'Phòng Kế toán', '9', 'Hành chính', 'h'"});
        other.execute(u"DELETE * FROM chutat"_s);
        other.execute(u"DELETE * FROM loaicv"_s);
        insert(other, "chutat (chudu, chutat, matt)",
               {"'UỶ BAN NHÂN DÂN', 'UBND', 'u'", "'Uỷ ban thường trực', 'ubt', 'ut'"});
        insert(other, "loaicv (loai, chutat, matt)", {"'THÔNG BÁO', 'TB', 't'", "'Nghị quyết', 'NQ', 'n'"});
        insert(other, "nguoidung (hoten, tentrenmang, quyenhan, matkhau, cothesua)",
               {"'LÊ ĐỨC', 'leduc', 'LĐ', '', 'C'", "'Phạm Mới', '', 'CB', '', 'C'"});
        insert(other, "noigui (tendonvi, chutat, matt)", {"'bộ tài chính', 'BTC', 'b'"});
    }

    QString cvPath;
    QString otherPath;
    db::Database cv;
    db::Database other;
};

} // namespace dialect
