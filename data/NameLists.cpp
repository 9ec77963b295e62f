#include "data/NameLists.h"

#include "data/PlacedReader.h"
#include "platform/Conversions.h"
#include "platform/Exception.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

std::array<std::string, 104> SkinNames;
std::array<std::string, 382> SkillNames;
std::array<std::string, 95> AttackNames;
namespace zuninfo {

TextEncoding SkinNamesEncoding = TextEncoding::Utf8;
TextEncoding SkillNamesEncoding = TextEncoding::Utf8;
TextEncoding AttackNamesEncoding = TextEncoding::Utf8;

namespace {

struct NameListFile {
    const char* fileName;
    std::span<std::string> table;
    TextEncoding& encoding;
};

const std::array<NameListFile, kNameLists.size()>& NameListFiles()
{
    static const std::array<NameListFile, kNameLists.size()> files{{
        {"mons.txt", SkinNames, SkinNamesEncoding},
        {"skills.txt", SkillNames, SkillNamesEncoding},
        {"attacks.txt", AttackNames, AttackNamesEncoding},
    }};
    return files;
}

// Reads one list file's bytes, one at a time, knowing the place of each for
// error messages and the observer. Observed (kObserved), it tells the
// observer of every line, counts columns as the observer asks and keeps as
// many bytes of each name as the observer asks for; the viewer's own read
// pays nothing for that.
template <bool kObserved>
class NameListReader {
public:
    NameListReader(std::FILE* file, const NameListFile& list, WindowOps& window, ItemLists itemLists,
                   NameListObserver* observer)
        : in_(file, observer), list_(list), window_(window), itemLists_(itemLists), observer_(observer)
    {
        if constexpr (kObserved)
            kept_ = observer->NameBytesKept();
    }

    void ReadAll()
    {
        bool allUtf8 = true;
        c_ = in_.Next();
        while (c_ != EOF) {
            const FilePlace idPlace = in_.Place();
            const std::int32_t id = ReadId(idPlace);
            // The name runs to the first CR; it may be empty.
            const FilePlace namePlace = in_.Place();
            std::string name;
            if constexpr (kObserved) {
                std::uint64_t length = 0;
                int last = EOF;
                while (c_ != '\r' && c_ != EOF) {
                    if (name.size() < kept_)
                        name.push_back(static_cast<char>(c_));
                    ++length;
                    last = c_;
                    c_ = in_.Next();
                }
                observer_->LineRead({idPlace, id, namePlace, name, length, last == '\n', c_ == EOF});
            } else {
                while (c_ != '\r' && c_ != EOF) {
                    name.push_back(static_cast<char>(c_));
                    c_ = in_.Next();
                }
            }
            allUtf8 = allUtf8 && IsUtf8(name);
            for (const std::string_view comboBox : itemLists_)
                window_.AddItem(comboBox, name);
            // An id outside the table has no entry; its name is only listed.
            if (id >= 0 && static_cast<std::size_t>(id) < list_.table.size())
                list_.table[static_cast<std::size_t>(id)] = std::move(name);
            // Step over the LF, then onto the first byte of the next line.
            c_ = in_.StepOverLf();
            c_ = in_.Next();
        }
        list_.encoding = allUtf8 ? TextEncoding::Utf8 : TextEncoding::Ansi;
    }

private:
    // The id is everything up to the first ' ' or ':', which is skipped. A
    // line with neither runs on over its CR LF, and the id fails to convert.
    std::int32_t ReadId(FilePlace idPlace)
    {
        token_.Clear();
        while (c_ != ' ' && c_ != ':' && c_ != EOF) {
            token_.Append(static_cast<unsigned char>(c_));
            c_ = in_.Next();
        }
        c_ = in_.Next();
        try {
            return token_.Value();
        } catch (const Exception& error) {
            const std::string message
                = std::string(list_.fileName) + ", line " + std::to_string(idPlace.line) + ": " + error.what();
            if constexpr (kObserved)
                observer_->IdRejected(idPlace, message);
            throw Exception(message);
        }
    }

    PlacedReader<kObserved> in_;
    const NameListFile& list_;
    WindowOps& window_;
    ItemLists itemLists_;
    NameListObserver* observer_;
    IntToken token_;
    int c_ = 0;
    std::size_t kept_ = 0; // of each name, when observed
};

} // namespace

const char* NameListFileName(NameList list)
{
    return NameListFiles()[static_cast<std::size_t>(list)].fileName;
}

std::span<const std::string> NameTable(NameList list)
{
    return NameListFiles()[static_cast<std::size_t>(list)].table;
}

TextEncoding NameListEncoding(NameList list)
{
    return NameListFiles()[static_cast<std::size_t>(list)].encoding;
}

std::string NameOfId(NameList list, std::int32_t id)
{
    const std::span<const std::string> table = NameTable(list);
    if (id < 0 || static_cast<std::size_t>(id) >= table.size())
        return {};
    return table[static_cast<std::size_t>(id)];
}

bool LoadNameList(NameList which, WindowOps& window, FileAccess& files, ItemLists itemLists,
                  NameListObserver* observer)
{
    const NameListFile& list = NameListFiles()[static_cast<std::size_t>(which)];
    std::FILE* file = files.Open(list.fileName);
    if (file == nullptr) {
        window.ShowMessage("File not found");
        return false;
    }

    // Close the file and end the item-list updates also when a bad id throws.
    struct CloseAndEndUpdates {
        std::FILE* file;
        ItemLists itemLists;
        WindowOps& window;
        FileAccess& files;
        ~CloseAndEndUpdates()
        {
            files.Close(file);
            for (const std::string_view comboBox : itemLists)
                window.EndUpdate(comboBox);
        }
    };

    for (const std::string_view comboBox : itemLists)
        window.BeginUpdate(comboBox);
    const CloseAndEndUpdates closing{file, itemLists, window, files};
    if (observer == nullptr)
        NameListReader<false>(file, list, window, itemLists, observer).ReadAll();
    else
        NameListReader<true>(file, list, window, itemLists, observer).ReadAll();
    return true;
}

} // namespace zuninfo

void LoadNameLists(zuninfo::WindowOps& window, zuninfo::FileAccess& files, zuninfo::ItemListsOf itemListsOf)
{
    for (const zuninfo::NameList list : zuninfo::kNameLists) {
        if (!zuninfo::LoadNameList(list, window, files, itemListsOf(list)))
            return;
    }
}
