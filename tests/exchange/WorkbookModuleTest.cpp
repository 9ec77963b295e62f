// The xlsx and ods code as the Linux viewer has it: in zuninfo-xlsx-writer.so
// and zuninfo-workbook-reader.so, loaded on first use. What is written and
// read through them, and a refusal thrown inside one, reach the program as
// they do from the code linked in.
#include "exchange/EditedTable.h"
#include "exchange/XlsxWorkbook.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace zuninfo;

TEST(WorkbookModule, WritesAnXlsxThatItReadsBackTheSame)
{
    std::vector<ShownRecord> records(3);
    for (std::size_t at = 0; at < records.size(); ++at) {
        records[at].slot = static_cast<std::int32_t>(at + 1);
        for (int field = 0; field < kMonsterFieldCount; ++field)
            records[at].record.Fields[static_cast<std::size_t>(field)] = field == 0 ? static_cast<std::int32_t>(at + 1)
                                                                                    : -7 * field + static_cast<int>(at);
    }
    std::ostringstream out;
    WriteXlsx(records, out);

    const EditedTable table = ReadEditedTable(out.str(), RecordFormat::Xlsx, "monsters.xlsx");
    ASSERT_EQ(table.rows.size(), records.size());
    for (std::size_t at = 0; at < records.size(); ++at)
        EXPECT_EQ(table.rows[at].values, records[at].record.Fields) << "row " << at + 2;
}

TEST(WorkbookModule, ARefusalInsideItIsOneToTheProgram)
{
    try {
        ReadEditedTable("not a zip at all", RecordFormat::Ods, "monsters.ods");
        FAIL() << "read";
    } catch (const Refusal& refusal) {
        EXPECT_NE(refusal.Text().find("monsters.ods: error: not a zip file"), std::string::npos) << refusal.Text();
    }
}
