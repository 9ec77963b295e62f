#include "platform/MemoryFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ReadAll(std::FILE* file)
{
    std::string read;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        read += static_cast<char>(c);
    return read;
}

TEST(OpenBytesForReading, GivesBackEveryByteThenEndOfFile)
{
    const std::string cases[] = {
        "",
        "1 Goblin\r\n",
        // Bytes a text-mode stream would change or stop at: NUL, CR LF,
        // Ctrl-Z, and bytes above 127.
        std::string("a\0b\r\n\x1A\r\xFF\xE9z", 11),
        std::string(70000, 'x'),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        std::FILE* file = OpenBytesForReading(bytes);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(ReadAll(file), bytes);
        EXPECT_TRUE(std::feof(file));
        EXPECT_FALSE(std::ferror(file));
        EXPECT_EQ(std::fclose(file), 0);
    }
}

} // namespace
