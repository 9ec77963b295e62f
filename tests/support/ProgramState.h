#pragma once

#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "viewer/RecordBrowser.h"

#include <string>

// A record line, CR LF ended: Index `index`, every other field its number.
inline std::string NumberedRecord(int index)
{
    std::string line = std::to_string(index);
    for (int field = 1; field < zuninfo::kMonsterFieldCount; ++field)
        line += " " + std::to_string(field);
    return line + "\r\n";
}

// Puts the program's tables and counters back to their state at process
// start, between tests that share one process.
inline void ResetProgramState()
{
    Monsters = {};
    LastIndex = 0;
    OpenAttempt = 0;
    SkinNames = {};
    SkillNames = {};
    AttackNames = {};
    zuninfo::SkinNamesEncoding = zuninfo::SkillNamesEncoding = zuninfo::AttackNamesEncoding = zuninfo::TextEncoding::Utf8;
    CurrentIndex = 0;
}
