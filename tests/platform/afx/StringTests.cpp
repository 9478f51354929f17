// CString: formatting, UTF-8 text measured in bytes, slicing and searching
// at the edges, and string resources.

#include "platform/afx/String.h"
#include "platform/window/Resources.h"

#include <gtest/gtest.h>

namespace {

template <typename... Args>
CString F(const char* format, Args... args)
{
    CString s;
    s.Format(format, args...);
    return s;
}

TEST(CStringTest, FormatsLikePrintfAndTakesCStringArguments)
{
    const std::pair<CString, const char*> cases[] = {
        { F("%d-%s", 5, CString("Tafel")), "5-Tafel" }, { F("%5.2f|%-4d|%04x", 3.14159, 7, 255), " 3.14|7   |00ff" },
        { F("%u%%", 50u), "50%" }, { F("%s und %s", "Kreide", CString("Schwamm")), "Kreide und Schwamm" },
        { F("%.3s", "\xC3\xA4\x62\x63"), "\xC3\xA4\x62" }, // precision counts bytes
        { F("%0500d", 1).Right(2), "01" }, // no fixed buffer
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
    CString s("x=");
    s.AppendFormat("%d", 12);
    EXPECT_EQ(s + '!', "x=12!");
}

TEST(CStringTest, LengthsAndPositionsCountUtf8Bytes)
{
    const std::pair<const char*, int> lengths[] = { { "", 0 }, { "abc", 3 }, { "\xC3\xA4", 2 },
        { "\xE6\x97\xA5\xE6\x9C\xAC", 6 }, { "\xF0\x9F\x98\x80", 4 } };
    for (const auto& [text, length] : lengths) {
        EXPECT_EQ(CString(text).GetLength(), length);
        EXPECT_EQ(CString(text).IsEmpty(), length == 0);
    }
    CString word("\xC3\x84rger.BMP");
    EXPECT_EQ(word.Find('r'), 2);
    EXPECT_EQ(word.MakeLower(), "\xC3\x84rger.bmp") << "only ASCII letters change case";
}

TEST(CStringTest, SlicesAndSearchesClampAtTheEnds)
{
    const CString s("board.bmp");
    const std::pair<CString, const char*> slices[] = {
        { s.Left(5), "board" },
        { s.Left(99), "board.bmp" },
        { s.Left(-1), "" },
        { s.Mid(6), "bmp" },
        { s.Mid(6, 1), "b" },
        { s.Mid(20), "" },
        { s.Mid(2, 99), "ard.bmp" },
        { s.Right(3), "bmp" },
        { s.Right(99), "board.bmp" },
        { s.Right(0), "" },
    };
    for (const auto& [got, expected] : slices)
        EXPECT_EQ(got, expected);
    const std::pair<int, int> finds[] = { { s.Find('b'), 0 }, { s.Find('b', 1), 6 }, { s.Find('z'), -1 },
        { s.Find("bmp"), 6 }, { s.Find("board", 1), -1 }, { s.Find('b', 99), -1 }, { s.ReverseFind('b'), 6 },
        { s.ReverseFind('q'), -1 } };
    for (const auto& [got, expected] : finds)
        EXPECT_EQ(got, expected);
}

TEST(CStringTest, LoadStringReadsTheProgramsStringsWhateverTheirLength)
{
    res::AddString(41001, "Tafel \xE2\x80\x93 gespeichert");
    res::AddString(41002, std::string(1000, 'x'));
    CString s;
    EXPECT_TRUE(s.LoadString(41001));
    EXPECT_EQ(s, "Tafel \xE2\x80\x93 gespeichert");
    EXPECT_TRUE(s.LoadString(41002));
    EXPECT_EQ(s.GetLength(), 1000);
    EXPECT_FALSE(s.LoadString(41003));
    EXPECT_TRUE(s.IsEmpty());
}

} // namespace
