#pragma once

#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "viewer/RecordBrowser.h"

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
