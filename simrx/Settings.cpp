#include "simrx/Settings.h"

#include "simrx/ComError.h"
#include "simrx/Neighbourhood.h"
#include "simrx/Owners.h"
#include "simrx/TextEscape.h"

namespace simrx {
namespace {

constexpr DWORD kLargestScenario = 16 << 20;

std::string ReadScenarioFile(const std::wstring& path)
{
    const FileOwner file = OpenSharedFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file)
        RaiseFileError("Cannot open the scenario file", path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        RaiseFileError("Cannot read the scenario file", path);
    if (size.QuadPart > kLargestScenario)
        throw ComponentError(E_INVALIDARG, "The scenario file " + Utf8FromWide(path) + " is larger than 16 MiB");
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() && !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
        RaiseFileError("Cannot read the scenario file", path);
    text.resize(read);
    return text;
}

std::uint64_t Seed()
{
    const std::wstring text = EnvironmentVariable(L"SIMRX_SEED");
    if (text.empty())
        return kDefaultSeed;
    const std::string narrow = Utf8FromWide(text);
    if (const auto seed = ParseSeed(narrow))
        return *seed;
    throw ComponentError(E_INVALIDARG, "SIMRX_SEED \"" + EscapeBytes(narrow) + "\" is not a number from 0 to 2^64 - 1 in decimal or 0x-hexadecimal");
}

}  // namespace

std::wstring EnvironmentVariable(const wchar_t* name)
{
    std::wstring value(64, L'\0');
    while (true) {
        const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0)
            return {};
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}

Settings LoadSettings()
{
    const std::uint64_t seed = Seed();
    Settings settings;
    const std::wstring scenarioPath = EnvironmentVariable(L"SIMRX_SCENARIO");
    if (!scenarioPath.empty()) {
        try {
            settings.scenario = ParseScenario(ReadScenarioFile(scenarioPath));
        } catch (const ScenarioError& error) {
            throw ComponentError(E_INVALIDARG, "Scenario " + Utf8FromWide(scenarioPath) + ", " + error.what());
        }
    }
    settings.band = settings.scenario.multiplexes.empty() ? DefaultNeighbourhood(seed) : std::move(settings.scenario.multiplexes);
    settings.scenario.multiplexes.clear();
    return settings;
}

}  // namespace simrx
