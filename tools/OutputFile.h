#pragma once

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <streambuf>

namespace zuninfo {

// A file the export writes, never seen half written: the text goes into a
// new file of its own beside the target, which takes the target's name only
// once it is complete. A run that fails, or is interrupted, removes the new
// file and leaves the target as it was.
class OutputFile {
public:
    // Makes the new file beside `target`, a path the user named; throws
    // std::runtime_error saying why it cannot.
    explicit OutputFile(const std::string& target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& Stream() { return stream_; }

    // Closes the new file and gives it the target's name; throws
    // std::runtime_error when that fails.
    void Commit();

private:
    // The stream's bytes into the open file.
    class Buffer : public std::streambuf {
    public:
        std::FILE* file = nullptr;

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    };

    std::string name_; // as the user named it, for messages
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    Buffer buffer_;
    std::ostream stream_{&buffer_};
};

} // namespace zuninfo
