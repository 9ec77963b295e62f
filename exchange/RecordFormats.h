#pragma once

#include "checking/ViewerRead.h"
#include "exchange/RecordColumns.h"

#include <ostream>
#include <string_view>
#include <vector>

namespace zuninfo {

// The forms zuninfo-export writes the records in (RecordFormat). Every field
// is headed by its caption; an id field gives the name the viewer shows for
// it (UTF-8) and the id.

// The bytes that make a CSV cell quoted: either separator, a quote, a tab,
// CR or LF.
inline constexpr std::string_view kCsvQuoted = ",;\"\t\r\n";

// RFC 4180: a header row, then a row a record, CR LF after each, the cells
// separated by `separator` (',' or ';'); a field that holds one of
// kCsvQuoted is quoted, its quotes doubled. An id
// field is two columns: "Skin" (the name) and "Skin id". With
// `formulaGuard`, a name that a spreadsheet would take for a formula (it
// begins with '=', '+', '-', '@', a tab or CR) is written after a "'", which
// makes it text there.
void WriteCsv(const std::vector<ShownRecord>& records, std::ostream& out, bool formulaGuard = true,
              char separator = ',');

// The same columns separated by tabs, LF after each row; a backslash, tab,
// CR or LF in a name is written \\, \t, \r or \n.
void WriteTsv(const std::vector<ShownRecord>& records, std::ostream& out, bool formulaGuard = true);

// One array of objects, one a record: "record" (its slot in the store),
// "line" (where it starts in the file), then each field by its caption; an id
// field as {"id": 3, "name": "Orc"}.
void WriteJson(const std::vector<ShownRecord>& records, std::ostream& out);

// How the records are written: the format, and for CSV and TSV whether a
// byte order mark comes first, the formula guard and CSV's separator.
struct RecordForm {
    RecordFormat format = RecordFormat::Csv;
    bool bom = false;
    bool formulaGuard = true;
    char separator = ',';
};

// The records in that form (as WriteCsv, WriteTsv, WriteJson or WriteXlsx
// write them; ods is only ever read, and writes nothing).
void WriteRecords(const RecordForm& form, const std::vector<ShownRecord>& records, std::ostream& out);

} // namespace zuninfo
