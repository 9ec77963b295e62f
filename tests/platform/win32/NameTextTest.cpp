// The shared cases of how names look and sort on screen, against the
// Windows front end's decoding (MultiByteToWideChar) and list order
// (CompareStringEx).
#include "data/NameLists.h"
#include "platform/win32/NameText.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "tests/support/TextCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace zuninfo;

namespace {

// A POSIX locale name as Windows names it: "ko_KR.UTF-8" is "ko-KR".
std::wstring WindowsLocaleName(std::string_view posix)
{
    posix = posix.substr(0, posix.find_first_of(".@"));
    std::wstring name(posix.begin(), posix.end());
    std::replace(name.begin(), name.end(), L'_', L'-');
    return name;
}

TEST(NameText, NamesReadUnderALocaleShowAsItsCodePageGivesThem)
{
    for (const DecodingCase& c : DecodingCases()) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        RecordingFake fake;
        fake.files["mons.txt"] = c.list;
        LoadNameLists(fake, fake);
        for (std::size_t id = 1; id <= c.shown.size(); ++id) {
            const std::wstring shown = ShownText(SkinNames[id], SkinNamesEncoding, WindowsLocaleName(c.locale));
            EXPECT_EQ(std::u16string(shown.begin(), shown.end()), c.shown[id - 1]) << "id " << id;
        }
    }
    ResetProgramState();
}

TEST(NameText, ShuffledNamesComeBackInTheListOrder)
{
    std::vector<std::wstring> sorted;
    for (const std::string& name : SortedNames())
        sorted.push_back(Utf16(name));
    std::vector<std::string> names = SortedNames();
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(names.begin(), names.end(), random);
        EXPECT_EQ(ListItems(names, TextEncoding::Utf8, L"en-US"), sorted);
    }
}

} // namespace
