#include "platform/Conversions.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using namespace zuninfo;

namespace {

using std::string_literals::operator""s;

struct Accepted {
    std::string text;
    std::int32_t value;
};

TEST(StrToInt, AcceptsSignedDecimalsInRange)
{
    const Accepted cases[] = {
        {"0", 0},
        {"7", 7},
        {"+7", 7},
        {"-7", -7},
        {"-0", 0},
        {"007", 7},
        {"-000000000000000000000000000042", -42},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"+2147483647", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"0002147483647", std::numeric_limits<std::int32_t>::max()},
    };
    for (const Accepted& c : cases)
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RejectsEverythingElse)
{
    const std::string cases[] = {
        "",
        "+",
        "-",
        "+-1",
        "--1",
        " 1",
        "1 ",
        "\t1",
        "1\r",
        "1\n",
        "7\r\n8",
        "1a",
        "0x10",
        "1.0",
        "1,000",
        "\xB9",
        "1\0"s,
        "2147483648",
        "-2147483649",
        "+2147483648",
        "99999999999999999999999999",
        "-99999999999999999999999999",
    };
    for (const std::string& text : cases)
        EXPECT_THROW(StrToInt(text), Exception) << VisibleBytes(text);
}

TEST(StrToInt, MessageShowsTheTextWithControlBytesVisible)
{
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"7\r\n8", "'7\\r\\n8' is not a valid integer value"},
        {"", "'' is not a valid integer value"},
        {"a\tb\\c\x01\xFF", "'a\\tb\\\\c\\x01\\xFF' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        try {
            StrToInt(c.text);
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const Exception& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
}

TEST(StrToInt, MessageOfAHugeTokenStaysShort)
{
    const std::string text(1'000'000, 'x');
    try {
        StrToInt(text);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        const std::string message = error.what();
        EXPECT_LT(message.size(), 200u);
        EXPECT_NE(message.find("1000000 bytes"), std::string::npos) << message;
    }
}

TEST(IntToken, LongRunsOfLeadingZerosStayExact)
{
    IntToken token;
    token.Append('-');
    for (int i = 0; i < 10'000'000; ++i)
        token.Append('0');
    for (const char digit : std::string("2147483648"))
        token.Append(static_cast<unsigned char>(digit));
    EXPECT_EQ(token.Value(), std::numeric_limits<std::int32_t>::min());
    token.Append('0');
    EXPECT_THROW(token.Value(), Exception);
}

TEST(IntToStr, PlainDecimal)
{
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-1), "-1");
    EXPECT_EQ(IntToStr(119), "119");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int32_t>::max()), "2147483647");
}

} // namespace
