#pragma once

#include "platform/FileAccess.h"
#include "viewer/CommandLine.h"

namespace zuninfo {

// The files the viewer reads, as its command line chose them. The loaders ask
// for their fixed names (the monster info file's Windows path, the bare names
// of the lists) and get the chosen files:
// - the monster info file: the MONSTER_FILE given, used as it stands, else
//   the fixed path, mapped as always;
// - a name list: from the --lists folder when one was given; else from the
//   current folder as always, and, when that has none and a MONSTER_FILE was
//   given, from the monster file's folder.
// With no options, every name is opened exactly as SystemFiles() opens it.
class ViewerFiles final : public FileAccess {
public:
    explicit ViewerFiles(ViewerOptions options = {});

    const ViewerOptions& Options() const { return options_; }

    std::FILE* Open(const std::string& path) override;
    void Close(std::FILE* file) override;

private:
    ViewerOptions options_;
};

} // namespace zuninfo
