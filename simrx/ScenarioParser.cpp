// The scenario format, line by line: a keyword, then fields separated by blanks; a "#" where a
// field would begin starts a comment. The format is described for its users in simrx/README.md.
#include "simrx/Scenario.h"
#include "simrx/TextEscape.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace simrx {
namespace {

struct Token {
    std::string raw;      // as written, without the quotes
    std::u16string text;  // the label or message it stands for
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class LineParser {
public:
    LineParser(std::string_view line, std::size_t number) : line_(line), number_(number) { split(); }

    [[noreturn]] void fail(const std::string& fault) const { throw ScenarioError(number_, fault); }

    std::size_t fieldCount() const { return tokens_.empty() ? 0 : tokens_.size() - 1; }
    bool empty() const { return tokens_.empty(); }
    const std::string& keyword() const { return tokens_.front().raw; }
    // Field 0 is the first one after the keyword.
    const std::string& raw(std::size_t field) const { return tokens_.at(field + 1).raw; }
    const std::u16string& text(std::size_t field) const { return tokens_.at(field + 1).text; }

    void expectFields(std::size_t least, std::size_t most, const char* usage) const
    {
        if (fieldCount() < least || fieldCount() > most)
            fail('"' + keyword() + "\" takes " + usage);
    }

    std::int32_t int32(std::size_t field, const char* what) const
    {
        if (const auto value = ParseInt32(raw(field)))
            return *value;
        fail(std::string(what) + " \"" + EscapeBytes(raw(field)) + "\" is not a 32-bit integer");
    }

    std::int32_t result(std::size_t field) const
    {
        if (const auto value = ParseInt32(raw(field)))
            return *value;
        fail("result \"" + EscapeBytes(raw(field)) + "\" is not a number (write an HRESULT as 0x80004005)");
    }

    double finiteNumber(std::size_t field, const char* what) const
    {
        const auto value = ParseDouble(raw(field));
        if (!value || !std::isfinite(*value))
            fail(std::string(what) + " \"" + EscapeBytes(raw(field)) + "\" is not a finite number");
        return *value;
    }

    std::uint32_t count(std::size_t field, const char* what, std::uint32_t most) const
    {
        std::uint32_t value = 0;
        if (!ParseUnsigned(raw(field), value) || value > most)
            fail(std::string(what) + " \"" + EscapeBytes(raw(field)) + "\" is not a whole number from 0 to " +
                 std::to_string(most));
        return value;
    }

    Operation operation(std::size_t field) const
    {
        if (const auto operation = OperationNamed(raw(field)))
            return *operation;
        fail("unknown operation \"" + EscapeBytes(raw(field)) + '"');
    }

    CallSelector calls(std::size_t field) const
    {
        std::string_view written = raw(field);
        if (written == "every")
            return CallSelector{1, true};
        CallSelector selector{1, false};
        if (!written.empty() && written.back() == '+') {
            selector.andLater = true;
            written.remove_suffix(1);
        }
        if (!ParseUnsigned(written, selector.first) || selector.first == 0)
            fail("calls \"" + EscapeBytes(raw(field)) + "\" must be N, N+ or every, with N from 1");
        return selector;
    }

    PollStep pollStep(std::size_t field) const
    {
        static constexpr std::string_view kLost = "lost:";
        const std::string& written = raw(field);
        if (written.starts_with(kLost)) {
            if (const auto stage = ParseInt32(std::string_view(written).substr(kLost.size())))
                return PollStep{false, 0, *stage};
        } else if (const auto figure = ParseDouble(written)) {
            return PollStep{true, *figure, 0};
        }
        fail("signal step \"" + EscapeBytes(written) + "\" is neither a figure nor lost:STAGE");
    }

    static std::optional<double> ParseDouble(std::string_view written)
    {
        double value = 0;
        const auto [end, error] = std::from_chars(written.data(), written.data() + written.size(), value);
        if (written.empty() || error != std::errc() || end != written.data() + written.size())
            return std::nullopt;
        return value;
    }

    static bool ParseUnsigned(std::string_view written, std::uint32_t& value)
    {
        const auto [end, error] = std::from_chars(written.data(), written.data() + written.size(), value);
        return !written.empty() && error == std::errc() && end == written.data() + written.size();
    }

    // Decimal from -2^31 to 2^32 - 1, or 0x and up to eight hexadecimal digits; values above
    // 2^31 - 1 keep their 32-bit pattern, as an HRESULT written in decimal would.
    static std::optional<std::int32_t> ParseInt32(std::string_view written)
    {
        std::int64_t value = 0;
        std::from_chars_result parsed{};
        const char* end = written.data() + written.size();
        if (written.starts_with("0x") || written.starts_with("0X")) {
            if (written.size() > 10)
                return std::nullopt;
            std::uint32_t bits = 0;
            parsed = std::from_chars(written.data() + 2, end, bits, 16);
            value = bits;
        } else {
            const char* begin = written.data() + (written.starts_with('+') ? 1 : 0);
            parsed = std::from_chars(begin, end, value);
        }
        if (written.empty() || parsed.ec != std::errc() || parsed.ptr != end || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

private:
    void split()
    {
        std::size_t pos = 0;
        while (true) {
            while (pos < line_.size() && IsBlank(line_[pos]))
                ++pos;
            if (pos == line_.size() || line_[pos] == '#')
                return;
            tokens_.push_back(line_[pos] == '"' ? quoted(pos) : bare(pos));
        }
    }

    Token bare(std::size_t& pos) const
    {
        Token token;
        const std::size_t start = pos;
        while (pos < line_.size() && !IsBlank(line_[pos]))
            decodeChar(pos, token.text);
        token.raw = line_.substr(start, pos - start);
        return token;
    }

    Token quoted(std::size_t& pos) const
    {
        Token token;
        const std::size_t start = ++pos;
        while (true) {
            if (pos == line_.size())
                fail("a quoted text has no closing quote");
            if (line_[pos] == '"')
                break;
            if (line_[pos] == '\\')
                unescape(pos, token.text);
            else
                decodeChar(pos, token.text);
        }
        token.raw = line_.substr(start, pos - start);
        ++pos;
        if (pos < line_.size() && !IsBlank(line_[pos]))
            fail("a closing quote must be followed by a blank");
        return token;
    }

    void decodeChar(std::size_t& pos, std::u16string& out) const
    {
        if (!DecodeUtf8Char(line_, pos, out))
            fail("invalid UTF-8 at column " + std::to_string(pos + 1) + " (byte " + EscapeBytes(line_.substr(pos, 1)) + ")");
    }

    // pos stands on the backslash.
    void unescape(std::size_t& pos, std::u16string& out) const
    {
        if (pos + 1 == line_.size())
            fail("a backslash ends the line");
        const char kind = line_[pos + 1];
        pos += 2;
        switch (kind) {
        case '\\': out.push_back(u'\\'); return;
        case '"': out.push_back(u'"'); return;
        case '0': out.push_back(u'\0'); return;
        case 't': out.push_back(u'\t'); return;
        case 'n': out.push_back(u'\n'); return;
        case 'r': out.push_back(u'\r'); return;
        case 'x': out.push_back(static_cast<char16_t>(hexDigits(pos, 2, "\\x"))); return;
        case 'u': out.push_back(static_cast<char16_t>(hexDigits(pos, 4, "\\u"))); return;
        case 'U': {
            const char32_t code = hexDigits(pos, 8, "\\U");
            if (code > 0x10FFFF)
                fail("\\U" + line_.substr(pos - 8, 8) + " is above 0010FFFF");
            if (code < 0x10000) {
                out.push_back(static_cast<char16_t>(code));
            } else {
                out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            }
            return;
        }
        default:
            fail("unknown escape \"\\" + EscapeBytes(line_.substr(pos - 1, 1)) + "\" (known: \\\\ \\\" \\0 \\t \\n \\r \\xNN \\uNNNN \\UNNNNNNNN)");
        }
    }

    char32_t hexDigits(std::size_t& pos, int digits, const char* escape) const
    {
        char32_t value = 0;
        for (int i = 0; i < digits; ++i, ++pos) {
            const int digit = pos < line_.size() ? HexValue(line_[pos]) : -1;
            if (digit < 0)
                fail(std::string(escape) + " needs " + std::to_string(digits) + " hexadecimal digits");
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return value;
    }

    std::string line_;
    std::size_t number_;
    std::vector<Token> tokens_;
};

// Keeps track of which multiplex the lines that describe one apply to, and of whether its
// acquisition and signal still hold the defaults that the first line of each replaces.
class ScenarioBuilder {
public:
    void add(const LineParser& line)
    {
        using Statement = void (ScenarioBuilder::*)(const LineParser&);
        static constexpr std::pair<std::string_view, Statement> kStatements[] = {
            {"multiplex", &ScenarioBuilder::addMultiplex}, {"service", &ScenarioBuilder::addService},
            {"acquire", &ScenarioBuilder::addAcquisition}, {"signal", &ScenarioBuilder::addSignal},
            {"kind", &ScenarioBuilder::addKindAnswer},     {"fail", &ScenarioBuilder::addFault},
            {"delay", &ScenarioBuilder::addDelay},
        };
        std::string known;
        for (const auto& [keyword, statement] : kStatements) {
            if (keyword == line.keyword())
                return (this->*statement)(line);
            known.append(known.empty() ? "" : " ").append(keyword);
        }
        line.fail("unknown keyword \"" + EscapeBytes(line.keyword()) + "\" (known: " + known + ")");
    }

    Scenario take() { return std::move(scenario_); }

private:
    void addMultiplex(const LineParser& line)
    {
        line.expectFields(3, 3, "a frequency in MHz, a handle and a label");
        Multiplex multiplex;
        multiplex.frequencyMHz = line.finiteNumber(0, "frequency");
        multiplex.handle = line.int32(1, "handle");
        multiplex.label = line.text(2);
        multiplex.acquisition = kDefaultAcquisition;
        multiplex.afterLock = {PollStep{true, kDefaultSignalError, 0}};
        scenario_.multiplexes.push_back(std::move(multiplex));
        acquisitionGiven_ = afterLockGiven_ = false;
    }

    Multiplex& current(const LineParser& line)
    {
        if (scenario_.multiplexes.empty())
            line.fail('"' + line.keyword() + "\" needs a multiplex line above it");
        return scenario_.multiplexes.back();
    }

    void addService(const LineParser& line)
    {
        Multiplex& multiplex = current(line);
        line.expectFields(3, 3, "a handle, a kind (audio, data or a number) and a label");
        Service service;
        service.handle = line.int32(0, "handle");
        const std::string& kind = line.raw(1);
        service.kind = kind == "audio" ? kAacAudioKind : kind == "data" ? kMotDataKind : line.int32(1, "kind");
        service.label = line.text(2);
        multiplex.services.push_back(std::move(service));
    }

    void addAcquisition(const LineParser& line)
    {
        Multiplex& multiplex = current(line);
        if (!std::exchange(acquisitionGiven_, true))
            multiplex.acquisition.clear();
        for (std::size_t i = 0; i < line.fieldCount(); ++i)
            multiplex.acquisition.push_back(line.int32(i, "stage"));
    }

    void addSignal(const LineParser& line)
    {
        Multiplex& multiplex = current(line);
        line.expectFields(1, std::numeric_limits<std::size_t>::max(), "at least one figure or lost:STAGE");
        if (!std::exchange(afterLockGiven_, true))
            multiplex.afterLock.clear();
        for (std::size_t i = 0; i < line.fieldCount(); ++i)
            multiplex.afterLock.push_back(line.pollStep(i));
    }

    void addKindAnswer(const LineParser& line)
    {
        line.expectFields(2, 2, "a kind and what IsAudioKind answers for it");
        scenario_.kindAnswers.push_back({line.int32(0, "kind"), line.int32(1, "answer")});
    }

    void addFault(const LineParser& line)
    {
        static constexpr const char* kUsage =
            "an operation, the calls, a result, then optionally a source and a description, then optionally a help file and a help context";
        line.expectFields(3, 7, kUsage);
        if (line.fieldCount() == 4 || line.fieldCount() == 6)
            line.fail(std::string("\"fail\" takes ") + kUsage);
        Fault fault{line.operation(0), line.calls(1), line.result(2), std::nullopt};
        if (line.fieldCount() >= 5) {
            ErrorInfoText info{line.text(3), line.text(4), {}, 0};
            if (line.fieldCount() == 7) {
                info.helpFile = line.text(5);
                info.helpContext = line.count(6, "help context", std::numeric_limits<std::uint32_t>::max());
            }
            fault.errorInfo = std::move(info);
        }
        scenario_.faults.push_back(std::move(fault));
    }

    void addDelay(const LineParser& line)
    {
        line.expectFields(2, 3, "an operation, milliseconds and optionally the calls");
        Delay delay{line.operation(0), CallSelector{1, true}, line.count(1, "milliseconds", kLongestDelay)};
        if (line.fieldCount() == 3)
            delay.calls = line.calls(2);
        scenario_.delays.push_back(delay);
    }

    static constexpr std::uint32_t kLongestDelay = 600000;

    Scenario scenario_;
    bool acquisitionGiven_ = false;
    bool afterLockGiven_ = false;
};

}  // namespace

Scenario ParseScenario(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    ScenarioBuilder builder;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const LineParser parser(line, number);
        if (!parser.empty())
            builder.add(parser);
    }
    return builder.take();
}

}  // namespace simrx
