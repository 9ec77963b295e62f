#include "tests/support/RecordingFake.h"

#include "tests/support/MemoryFile.h"

#include <algorithm>
#include <cstdio>

void RecordingFake::SetText(std::string_view control, const std::string& text)
{
    calls.push_back("SetText " + std::string(control) + " " + text);
    texts[std::string(control)] = text;
}

void RecordingFake::BeginUpdate(std::string_view comboBox)
{
    calls.push_back("BeginUpdate " + std::string(comboBox));
}

void RecordingFake::AddItem(std::string_view comboBox, const std::string& name)
{
    calls.push_back("AddItem " + std::string(comboBox) + " " + name);
    std::vector<std::string>& list = items[std::string(comboBox)];
    list.insert(std::upper_bound(list.begin(), list.end(), name), name);
}

void RecordingFake::EndUpdate(std::string_view comboBox)
{
    calls.push_back("EndUpdate " + std::string(comboBox));
}

void RecordingFake::SetEnabled(std::string_view control, bool enabled)
{
    calls.push_back("SetEnabled " + std::string(control) + (enabled ? " true" : " false"));
}

void RecordingFake::SetCursor(TCursor cursor)
{
    calls.push_back(cursor == TCursor::crHourGlass ? "SetCursor crHourGlass" : "SetCursor crDefault");
}

void RecordingFake::ShowMessage(const std::string& text)
{
    calls.push_back("ShowMessage " + text);
}

std::FILE* RecordingFake::Open(const std::string& path)
{
    ++openAttempts;
    calls.push_back("Open " + path);
    const auto found = files.find(path);
    if (found == files.end())
        return nullptr;
    std::FILE* file = OpenBytesForReading(found->second);
    openFiles_[file] = path;
    return file;
}

void RecordingFake::Close(std::FILE* file)
{
    calls.push_back("Close " + openFiles_[file]);
    openFiles_.erase(file);
    std::fclose(file);
}

std::vector<std::string> RecordingFake::CallsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> matching;
    for (const std::string& call : calls) {
        if (call.starts_with(prefix))
            matching.push_back(call);
    }
    return matching;
}
