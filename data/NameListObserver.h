#pragma once

#include "data/LoadObserver.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zuninfo {

// One line of a list as the loader read it.
struct ListLine {
    FilePlace idPlace; // where the id starts
    std::int32_t id = 0;
    FilePlace namePlace; // where the name starts
    const std::string& name; // as much of it as the observer keeps (NameBytesKept)
    std::uint64_t nameLength = 0;
    bool nameEndsWithLf = false;
    bool endsFile = false; // the end of the file ends the name, not a CR
};

// What the name list loader tells an observer about each line, besides odd
// line ends.
class NameListObserver : public LoadObserver {
public:
    virtual void LineRead(const ListLine& /*line*/) {}

    // How many bytes of each name the loader keeps, in what it tells and in
    // the table alike. An observer that needs no whole names (a checker of
    // files of any size) keeps its memory bounded with a few.
    virtual std::size_t NameBytesKept() const { return SIZE_MAX; }

    // An id that is not a number, which ends the load with an Exception
    // carrying `message`, the message the viewer shows.
    virtual void IdRejected(FilePlace /*idPlace*/, const std::string& /*message*/) {}
};

} // namespace zuninfo
