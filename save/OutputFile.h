#pragma once

#include <array>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace zuninfo {

// Bytes into a file descriptor through a buffer of its own. The first write
// that fails is kept, with why (its errno), and nothing after it is written,
// so that a tool can say that its output is incomplete instead of claiming
// success.
class CheckedBuffer : public std::streambuf {
public:
    explicit CheckedBuffer(int descriptor);
    CheckedBuffer(const CheckedBuffer&) = delete;
    CheckedBuffer& operator=(const CheckedBuffer&) = delete;

    // Writes out what is buffered; gives the first error (0: none).
    int Flush();
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    void WriteOut(const char* bytes, std::size_t count);

    int descriptor_;
    int error_ = 0;
    std::array<char, 64 * 1024> buffer_;
};

// A file a tool writes, never seen half written: the text goes into a new
// file of its own beside the target, which takes the target's name only once
// it is complete and on disk. A run that fails, or is interrupted, removes
// the new file and leaves the target as it was.
class OutputFile {
public:
    // Makes the new file beside `target`, a path the user named; throws
    // std::runtime_error saying why it cannot.
    explicit OutputFile(const std::string& target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& Stream() { return stream_; }
    // The new file's path while it is written.
    const std::filesystem::path& Temporary() const { return temporary_; }

    // Gives the new file the permissions of the file at `path` (where the
    // system has them).
    void KeepPermissionsOf(const std::filesystem::path& path);

    // Writes the rest, closes the new file and gives it the target's name;
    // throws std::runtime_error naming the target when any of it fails.
    void Commit();

    // The same, after keeping the file at the target as `backup` (a path the
    // user named, where no file may be yet): a copy with its bytes and
    // permissions, which goes again where the commit fails.
    void CommitKeeping(const std::string& backup);

private:
    void Discard();

    std::string name_; // as the user named it, for messages
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    CheckedBuffer buffer_;
    std::ostream stream_{&buffer_};
};

} // namespace zuninfo
