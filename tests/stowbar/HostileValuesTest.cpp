// Values out of their property's range: each is an error naming the property and the value,
// never a silent cut, and a form that opens saves, opens and saves to the same bytes.
#include "host/classes/Streaming.h"
#include "host/designer/Environment.h"

#include "host/FormFileTestSupport.h"

namespace {

using namespace host;

struct HostileCase {
    const char* Name;
    const char* Lines; // between the form's header and its end
    const char* Error; // a part of the message
};

const HostileCase kHostile[] = {
    {"ClientWidthOverflowsTheWindow", "  ClientWidth = 2147483647\n",
     "t.dfm:3:17: Form1.ClientWidth: invalid value: a client size of 2147483647"},
    {"ClientHeightOverflowsTheWindow", "  ClientHeight = 2147483647\n",
     "Form1.ClientHeight: invalid value: a client size of"},
    {"LeftBeyondInt64", "  Left = 9223372036854775807\n",
     "Form1.Left: invalid value for Left: 9223372036854775807 is out of range "
     "-2147483648..2147483647"},
    {"CharsetPastAByte", "  Font.Charset = 256\n",
     "Form1.Font.Charset: invalid value for Charset: 256 is out of range 0..255"},
    {"NegativeCharset", "  Font.Charset = -1\n", "Form1.Font.Charset: invalid value for Charset"},
    {"PanelReachingPastTheLastCoordinate",
     "  object Panel1: TPanel\n    Left = 2147483647\n    Width = 1\n  end\n",
     "Form1.Panel1.Left: invalid value: the control would reach beyond 2147483647"},
    {"PanelWidthPastTheLastCoordinate",
     "  object Panel1: TPanel\n    Left = 10\n    Width = 2147483647\n  end\n",
     "Form1.Panel1.Width: invalid value: the control would reach beyond 2147483647"},
    {"NegativeWidth", "  object Panel1: TPanel\n    Width = -2147483648\n  end\n",
     "Form1.Panel1.Width"},
};

class HostileValuesTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileValuesTest, AreRefusedNamingTheProperty) {
    const std::string text =
        std::string("object Form1: TForm1\n  Caption = 'x'\n") + GetParam().Lines + "end\n";
    DesignEnvironment env;
    FormFile file = ReadFormFile(text, "t.dfm");
    std::string error = "opened";
    try {
        env.Open(file.root, {"t.dfm", file.format, text}, FormReadOptions{});
    } catch (const EFormFileError& e) {
        error = e.what();
    }
    EXPECT_NE(error.find(GetParam().Error), std::string::npos) << error;
    // Nothing was opened in its place.
    EXPECT_EQ(env.Root(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileValuesTest, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.Name); });

// Geometry at the edges saves, opens and saves to the same file: the outer size the file gives
// is kept, however small, and the client size follows from it.
TEST(GeometryRoundTripTest, SmallAndLargeSizesSaveOpenAndSaveTheSame) {
    const char* sizes[] = {"  Height = 5\n  Width = 3\n", "  Height = 0\n  Width = 0\n",
                           "  ClientHeight = 0\n  ClientWidth = 0\n",
                           "  Left = -2147483648\n  Top = -2147483648\n"};
    for (const char* lines : sizes) {
        const std::string text = std::string("object Form1: TForm1\n  Caption = 'x'\n") + lines +
                                 "  PixelsPerInch = 96\n  TextHeight = 13\nend\n";
        DesignEnvironment env;
        FormFile file = ReadFormFile(text, "t.dfm");
        env.Open(file.root, {"t.dfm", file.format, text}, FormReadOptions{});
        const std::string saved = WriteText(env.Save());
        FormFile again = ReadFormFile(saved, "saved.dfm");
        env.Open(again.root, {"saved.dfm", again.format, saved}, FormReadOptions{});
        EXPECT_EQ(WriteText(env.Save()), saved) << lines;
        // What the file gave is kept (nothing is recomputed from a clamped client size).
        EXPECT_EQ(file.root, ReadFormFile(saved, "saved.dfm").root) << lines << saved;
    }
}

} // namespace
