#include "platform/qt/NameText.h"

#include "data/NameLists.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "tests/support/TextCases.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zuninfo;

namespace {

TEST(NameText, ListsAreDecodedAsUtf8OrInTheLocalesCodePage)
{
    for (const DecodingCase& c : DecodingCases()) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        RecordingFake fake;
        fake.files = {{"mons.txt", c.list}, {"skills.txt", ""}, {"attacks.txt", ""}};
        LoadNameLists(fake, fake);
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            // The table keeps the file's bytes; only the text shown is decoded.
            EXPECT_EQ(ShownText(SkinNames[i + 1], SkinNamesEncoding, QLocale(QString::fromLatin1(c.locale))),
                      QString::fromStdU16String(c.shown[i]))
                << "name " << i + 1;
        }
    }
    ResetProgramState();
}

TEST(NameText, ListsSortByTheLocaleIgnoringCaseWithTiesInByteOrder)
{
    std::vector<std::string> names = SortedNames();
    QStringList sorted;
    for (const std::string& name : names)
        sorted.append(QString::fromStdString(name));
    std::reverse(names.begin(), names.end());
    std::rotate(names.begin(), names.begin() + 3, names.end());
    EXPECT_EQ(ListItems(names, TextEncoding::Utf8, QLocale(QStringLiteral("en_US"))), sorted);
}

} // namespace
