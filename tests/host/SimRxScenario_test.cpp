#include "simrx/Scenario.h"
#include "simrx/TextEscape.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simrx;

TEST(SimRxScenario, ReadsMultiplexesServicesKindsFaultsAndDelays)
{
    const Scenario scenario = ParseScenario(
        "# a comment line\n"
        "multiplex 218.640 0x1001 \"Test Mux\"   # trailing comment\r\n"
        "acquire 1 4 45\n"
        "signal 0.0125 lost:60 -0.02\n"
        "signal nan 1e300\n"
        "service 0 audio \"First\"\n"
        "service -5 data Second\n"
        "service 0xFFFFFFFF 7 \"\"\n"
        "\n"
        "multiplex 220.352 -1 Bare\n"
        "acquire\n"
        "kind 7 2\n"
        "fail GetLabel 3 0x80004005 \"Receiver\" \"Label unreadable.\"\n"
        "fail GetLocked every -2147467259\n"
        "fail Tune 2+ 1 src desc help.hlp 42\n"
        "delay GetSignalError 250\n"
        "delay Create 10 1\n");

    ASSERT_EQ(scenario.multiplexes.size(), 2u);
    const Multiplex& first = scenario.multiplexes[0];
    EXPECT_EQ(first.frequencyMHz, 218.640);
    EXPECT_EQ(first.handle, 0x1001);
    EXPECT_EQ(first.label, u"Test Mux");
    EXPECT_EQ(first.acquisition, (std::vector<std::int32_t>{1, 4, 45}));
    ASSERT_EQ(first.afterLock.size(), 5u);
    EXPECT_TRUE(first.afterLock[0].locked);
    EXPECT_EQ(first.afterLock[0].signalError, 0.0125);
    EXPECT_FALSE(first.afterLock[1].locked);
    EXPECT_EQ(first.afterLock[1].stage, 60);
    EXPECT_EQ(first.afterLock[2].signalError, -0.02);
    EXPECT_TRUE(std::isnan(first.afterLock[3].signalError));
    EXPECT_EQ(first.afterLock[4].signalError, 1e300);
    ASSERT_EQ(first.services.size(), 3u);
    EXPECT_EQ(first.services[0].handle, 0);
    EXPECT_EQ(first.services[0].kind, kAacAudioKind);
    EXPECT_EQ(first.services[1].handle, -5);
    EXPECT_EQ(first.services[1].kind, kMotDataKind);
    EXPECT_EQ(first.services[1].label, u"Second");
    EXPECT_EQ(first.services[2].handle, -1);
    EXPECT_EQ(first.services[2].kind, 7);
    EXPECT_EQ(first.services[2].label, u"");

    const Multiplex& second = scenario.multiplexes[1];
    EXPECT_EQ(second.handle, -1);
    EXPECT_TRUE(second.acquisition.empty()) << "an empty acquire line means lock on the first poll";
    ASSERT_EQ(second.afterLock.size(), 1u);
    EXPECT_EQ(second.afterLock[0].signalError, kDefaultSignalError);

    ASSERT_EQ(scenario.kindAnswers.size(), 1u);
    EXPECT_EQ(scenario.kindAnswers[0].kind, 7);
    EXPECT_EQ(scenario.kindAnswers[0].answer, 2);

    ASSERT_EQ(scenario.faults.size(), 3u);
    const Fault& label = scenario.faults[0];
    EXPECT_EQ(label.operation, Operation::GetLabel);
    EXPECT_EQ(label.calls.first, 3u);
    EXPECT_FALSE(label.calls.andLater);
    EXPECT_EQ(static_cast<std::uint32_t>(label.result), 0x80004005u);
    ASSERT_TRUE(label.errorInfo);
    EXPECT_EQ(label.errorInfo->source, u"Receiver");
    EXPECT_EQ(label.errorInfo->description, u"Label unreadable.");
    const Fault& locked = scenario.faults[1];
    EXPECT_EQ(static_cast<std::uint32_t>(locked.result), 0x80004005u) << "decimal HRESULT";
    EXPECT_EQ(locked.calls.first, 1u);
    EXPECT_TRUE(locked.calls.andLater);
    EXPECT_FALSE(locked.errorInfo);
    const Fault& tune = scenario.faults[2];
    EXPECT_EQ(tune.calls.first, 2u);
    EXPECT_TRUE(tune.calls.andLater);
    EXPECT_EQ(tune.result, 1);
    EXPECT_EQ(tune.errorInfo->helpFile, u"help.hlp");
    EXPECT_EQ(tune.errorInfo->helpContext, 42u);

    ASSERT_EQ(scenario.delays.size(), 2u);
    EXPECT_EQ(scenario.delays[0].operation, Operation::GetSignalError);
    EXPECT_EQ(scenario.delays[0].milliseconds, 250u);
    EXPECT_TRUE(scenario.delays[0].calls.matches(7));
    EXPECT_EQ(scenario.delays[1].operation, Operation::Create);
    EXPECT_FALSE(scenario.delays[1].calls.matches(2));
}

TEST(SimRxScenario, MultiplexWithoutAcquireOrSignalLinesKeepsTheDefaults)
{
    const Scenario scenario = ParseScenario("multiplex 1 1 x\nsignal 0.03\nsignal lost:8\n");
    EXPECT_EQ(scenario.multiplexes[0].acquisition, kDefaultAcquisition);
    ASSERT_EQ(scenario.multiplexes[0].afterLock.size(), 2u) << "later signal lines add to the first";
    EXPECT_FALSE(scenario.multiplexes[0].afterLock[1].locked);
}

TEST(SimRxScenario, EmptyOrCommentOnlyTextKeepsTheDefaultNeighbourhood)
{
    for (const char* text : {"", "\n\n", "# nothing\n   \t\n", "\xEF\xBB\xBF# with a byte order mark"}) {
        const Scenario scenario = ParseScenario(text);
        EXPECT_TRUE(scenario.multiplexes.empty()) << text;
        EXPECT_TRUE(scenario.faults.empty()) << text;
    }
}

TEST(SimRxScenario, LabelEscapesAndRawUtf8GiveTheExactCodeUnits)
{
    struct Case { const char* written; std::u16string label; };
    const Case cases[] = {
        {R"("a\\b")", u"a\\b"},
        {R"("say \"hi\"")", u"say \"hi\""},
        {R"("nul\0inside")", std::u16string(u"nul\0inside", 10)},
        {R"("tab\tcr\rlf\n")", u"tab\tcr\rlf\n"},
        {R"("trailing   ")", u"trailing   "},
        {R"("ctl\x01\x1F")", u"ctl\x01\x1F"},
        {R"("latin \xE9")", u"latin \u00E9"},
        {R"("\u041C\u0438\u0440")", u"\u041C\u0438\u0440"},
        {"\"\xD0\x9C\xD0\xB8\xD1\x80 \xE6\x97\xA5\"", u"\u041C\u0438\u0440 \u65E5"},
        {R"("\U0001F4FB")", u"\U0001F4FB"},
        {"\"\xF0\x9F\x93\xBB\"", u"\U0001F4FB"},
        {R"("lone \uD800 surrogate")", std::u16string(u"lone ") + char16_t(0xD800) + u" surrogate"},
        {R"("# not a comment")", u"# not a comment"},
        {"caf\xC3\xA9", u"caf\u00E9"},
    };
    for (const Case& c : cases) {
        const Scenario scenario = ParseScenario(std::string("multiplex 1 1 ") + c.written);
        EXPECT_EQ(scenario.multiplexes.at(0).label, c.label) << c.written;
    }
}

TEST(SimRxScenario, EscapedTextReadsBackAsTheSameLabel)
{
    const std::u16string labels[] = {
        std::u16string(u"a\0b\\c\"d\te\x7F\x80\u00FF\u0100\uFFFF", 14),
        u"trailing blanks   ",
        std::u16string(1, char16_t(0xDC00)) + u"\U0001F4FB",
        u"",
    };
    for (const std::u16string& label : labels) {
        const std::string escaped = EscapeText(label);
        for (const char c : escaped)
            ASSERT_TRUE(c >= 0x20 && c < 0x7F) << escaped;
        EXPECT_EQ(ParseScenario("multiplex 1 1 \"" + escaped + "\"").multiplexes.at(0).label, label) << escaped;
    }
}

TEST(SimRxScenario, MalformedLinesAreRefusedWithTheirNumberAndTheFault)
{
    struct Case { const char* text; const char* message; };
    const Case cases[] = {
        {"fail GetLabl 1 0x80004005", "line 1: unknown operation \"GetLabl\""},
        {"\n\nfail GetLabel 1 E_FAIL", "line 3: result \"E_FAIL\" is not a number"},
        {"fail GetLabel 1 0x1234567890", "line 1: result \"0x1234567890\" is not a number"},
        {"fail GetLabel 0 1", "line 1: calls \"0\" must be N, N+ or every"},
        {"fail GetLabel sometimes 1", "line 1: calls \"sometimes\""},
        {"fail GetLabel 1 1 source", "line 1: \"fail\" takes an operation"},
        {"fail GetLabel 1 1 s d helpfile", "line 1: \"fail\" takes"},
        {"fail GetLabel 1 1 s d h -1", "line 1: help context \"-1\" is not a whole number"},
        {"tune 218.64", "line 1: unknown keyword \"tune\""},
        {"service 1 audio x", "line 1: \"service\" needs a multiplex line above it"},
        {"signal 0.01", "line 1: \"signal\" needs a multiplex line above it"},
        {"multiplex 218.64 1", "line 1: \"multiplex\" takes a frequency in MHz, a handle and a label"},
        {"multiplex 218.64 1 a b", "line 1: \"multiplex\" takes"},
        {"multiplex abc 1 x", "line 1: frequency \"abc\" is not a finite number"},
        {"multiplex inf 1 x", "line 1: frequency \"inf\" is not a finite number"},
        {"multiplex 1 4294967296 x", "line 1: handle \"4294967296\" is not a 32-bit integer"},
        {"multiplex 1 -2147483649 x", "line 1: handle"},
        {"multiplex 1 1 x\nservice 1 video x", "line 2: kind \"video\" is not a 32-bit integer"},
        {"multiplex 1 1 x\nsignal", "line 2: \"signal\" takes at least one figure"},
        {"multiplex 1 1 x\nsignal lost:x", "line 2: signal step \"lost:x\" is neither a figure nor lost:STAGE"},
        {"multiplex 1 1 x\nacquire 1 two", "line 2: stage \"two\""},
        {"multiplex 1 1 \"open", "line 1: a quoted text has no closing quote"},
        {"multiplex 1 1 \"a\"b", "line 1: a closing quote must be followed by a blank"},
        {"multiplex 1 1 \"\\q\"", "line 1: unknown escape \"\\q\""},
        {"multiplex 1 1 \"\\x4\"", "line 1: \\x needs 2 hexadecimal digits"},
        {"multiplex 1 1 \"\\u12\"", "line 1: \\u needs 4 hexadecimal digits"},
        {"multiplex 1 1 \"\\U00110000\"", "line 1: \\U00110000 is above 0010FFFF"},
        {"multiplex 1 1 \"ends with \\", "line 1: a backslash ends the line"},
        {"multiplex 1 1 \"\xC3\"", "line 1: invalid UTF-8 at column 16 (byte \\xC3)"},
        {"multiplex 1 1 \xED\xA0\x80", "line 1: invalid UTF-8"},
        {"multiplex 1 1 \xC0\xAF", "line 1: invalid UTF-8"},
        {"kind 1", "line 1: \"kind\" takes a kind and what IsAudioKind answers for it"},
        {"delay GetLocked", "line 1: \"delay\" takes"},
        {"delay GetLocked 600001", "line 1: milliseconds \"600001\" is not a whole number from 0 to 600000"},
        {"delay GetLocked fast", "line 1: milliseconds \"fast\""},
        {"multiplex 1 1 x\n\xFF", "line 2: invalid UTF-8"},
    };
    for (const Case& c : cases) {
        try {
            ParseScenario(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ScenarioError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what() << "\n  expected: " << c.message;
        }
    }
}
