#include "data/NameLists.h"

#include "platform/ByteReader.h"
#include "platform/Conversions.h"
#include "platform/Exception.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

std::array<std::string, 104> SkinNames;
std::array<std::string, 382> SkillNames;
std::array<std::string, 95> AttackNames;
TextEncoding SkinNamesEncoding = TextEncoding::Utf8;
TextEncoding SkillNamesEncoding = TextEncoding::Utf8;
TextEncoding AttackNamesEncoding = TextEncoding::Utf8;

namespace {

struct NameListFile {
    const char* fileName;
    std::span<std::string> table;
    TextEncoding& encoding;
    std::vector<std::string_view> comboBoxes;
};

const std::array<NameListFile, 3>& NameListFiles()
{
    static const std::array<NameListFile, 3> files{{
        {"mons.txt", SkinNames, SkinNamesEncoding, {"ComboBox1"}},
        {"skills.txt", SkillNames, SkillNamesEncoding, {"ComboBox2", "ComboBox3"}},
        {"attacks.txt", AttackNames, AttackNamesEncoding, {"ComboBox4", "ComboBox5"}},
    }};
    return files;
}

// Reads one list file's bytes, one at a time, and knows the line the current
// byte stands on for error messages.
class NameListReader {
public:
    NameListReader(std::FILE* file, const NameListFile& list, WindowOps& window)
        : in_(file), list_(list), window_(window)
    {
    }

    void ReadAll()
    {
        bool allUtf8 = true;
        Read();
        while (c_ != EOF) {
            const std::int32_t id = ReadId();
            // The name runs to the first CR; it may be empty.
            std::string name;
            while (c_ != '\r' && c_ != EOF) {
                name.push_back(static_cast<char>(c_));
                Read();
            }
            allUtf8 = allUtf8 && IsUtf8(name);
            for (const std::string_view comboBox : list_.comboBoxes)
                window_.AddItem(comboBox, name);
            // An id outside the table has no entry; its name is only listed.
            if (id >= 0 && static_cast<std::size_t>(id) < list_.table.size())
                list_.table[static_cast<std::size_t>(id)] = std::move(name);
            // Step over the LF, then onto the first byte of the next line.
            Read();
            Read();
        }
        list_.encoding = allUtf8 ? TextEncoding::Utf8 : TextEncoding::Ansi;
    }

private:
    void Read()
    {
        if (c_ == '\n')
            ++line_;
        c_ = in_.Next();
    }

    // The id is everything up to the first ' ' or ':', which is skipped. A
    // line with neither runs on over its CR LF, and the id fails to convert.
    std::int32_t ReadId()
    {
        const std::int64_t idLine = line_;
        token_.Clear();
        while (c_ != ' ' && c_ != ':' && c_ != EOF) {
            token_.Append(static_cast<unsigned char>(c_));
            Read();
        }
        Read();
        try {
            return token_.Value();
        } catch (const Exception& error) {
            throw Exception(std::string(list_.fileName) + ", line " + std::to_string(idLine) + ": "
                            + error.what());
        }
    }

    ByteReader in_;
    const NameListFile& list_;
    WindowOps& window_;
    IntToken token_;
    int c_ = 0;
    // 64 bits: a file may hold more than 2^31 LF bytes (inside a name, say).
    std::int64_t line_ = 1;
};

// Reads one list; false when its file could not be opened.
bool LoadNameList(const NameListFile& list, WindowOps& window, FileAccess& files)
{
    std::FILE* file = files.Open(list.fileName);
    if (file == nullptr) {
        window.ShowMessage("File not found");
        return false;
    }

    // Close the file and end the item-list updates also when a bad id throws.
    struct Finish {
        std::FILE* file;
        const NameListFile& list;
        WindowOps& window;
        FileAccess& files;
        ~Finish()
        {
            files.Close(file);
            for (const std::string_view comboBox : list.comboBoxes)
                window.EndUpdate(comboBox);
        }
    };

    for (const std::string_view comboBox : list.comboBoxes)
        window.BeginUpdate(comboBox);
    const Finish finish{file, list, window, files};
    NameListReader(file, list, window).ReadAll();
    return true;
}

} // namespace

void LoadNameLists(WindowOps& window, FileAccess& files)
{
    for (const NameListFile& list : NameListFiles()) {
        if (!LoadNameList(list, window, files))
            return;
    }
}
