#pragma once

#include "data/LoadObserver.h"

#include <cstdint>
#include <string>

namespace zuninfo {

// What the name list loader tells an observer about each line, besides odd
// line ends.
class NameListObserver : public LoadObserver {
public:
    // A line read: its id and where the id starts, its name and where the
    // name starts.
    virtual void NameRead(FilePlace /*idPlace*/, std::int32_t /*id*/, FilePlace /*namePlace*/,
                          const std::string& /*name*/)
    {
    }

    // An id that is not a number, which ends the load with an Exception
    // carrying `message`, the message the viewer shows.
    virtual void IdRejected(FilePlace /*idPlace*/, const std::string& /*message*/) {}
};

} // namespace zuninfo
