#pragma once

#include "data/MonsterInfo.h"
#include "platform/Conversions.h"

#include <cstdio>

// The monster info file's grammar, written once: the viewer's loader reads
// the file through it, and so does everything that needs to know where the
// loader finds each record and token.

namespace zuninfo {

inline bool IsSpaceOrTab(int c)
{
    return c == ' ' || c == '\t';
}

// Reads one token into `token`, stopping at EOF or at a byte for which
// `endsToken` holds; c is left on that byte.
template <typename Input, typename EndsToken>
void ReadToken(Input& in, int& c, IntToken& token, EndsToken endsToken)
{
    in.TokenStarts();
    token.Clear();
    while (c != EOF && !endsToken(c)) {
        token.Append(static_cast<unsigned char>(c));
        c = in.Next();
    }
}

// Fills the store's records from the input, counting completed records in
// its lastIndex. Throws when a token is not a number (Input::Convert
// throws); the fields of the line converted before it are already in the
// slot.
//
// The input gives the bytes one at a time and is told what the grammar
// makes of them: Next(), NextLine() for a line's first byte, StepOverLf()
// for the byte after a CR (taken for the LF, unexamined), RecordStarts(),
// TokenStarts(), Convert(token, field) giving a field's value,
// RecordStored(slot), and StoreFull() for a record line past the last slot.
template <typename Input>
void ParseRecords(Input& in, const MonsterStore& store)
{
    IntToken token;
    int c = in.NextLine();
    std::int32_t& count = store.lastIndex;
    count = 0;
    while (c != EOF) {
        if (c == '\r') {
            // A blank line: step onto its LF.
            c = in.StepOverLf();
        } else if (c == ';') {
            // A comment line runs through the next LF.
            while (c != '\n' && c != EOF)
                c = in.Next();
        } else {
            // A record line. One beyond the last slot ends the parse as if
            // the file ended there.
            if (count >= kMonsterSlots) {
                in.StoreFull();
                return;
            }
            in.RecordStarts();
            MonsterRecord& slot = store.records[static_cast<std::size_t>(count)];
            // Fields 0 to 21: each a token, then one or more spaces or tabs.
            for (int field = 0; field < kMonsterFieldCount - 1; ++field) {
                ReadToken(in, c, token, IsSpaceOrTab);
                slot.Fields[static_cast<std::size_t>(field)] = in.Convert(token, field);
                while (IsSpaceOrTab(c))
                    c = in.Next();
            }
            // Field 22 ends at CR, a space or a tab.
            ReadToken(in, c, token, [](int b) { return b == '\r' || IsSpaceOrTab(b); });
            slot.Fields[kMonsterFieldCount - 1] = in.Convert(token, kMonsterFieldCount - 1);
            // Whatever follows up to CR (a monster's name, say) is ignored.
            while (c != '\r' && c != EOF)
                c = in.Next();
            // Step onto the LF.
            c = in.StepOverLf();
            in.RecordStored(count);
            ++count;
        }
        // Step past the LF to the first byte of the next line.
        c = in.NextLine();
    }
}

} // namespace zuninfo
