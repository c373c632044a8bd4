#include "ui/ComboCompletion.h"

#include <algorithm>

namespace {
char Folded(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<char>(u - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view item, std::string_view prefix)
{
    return item.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), item.begin(), [](char a, char b) { return Folded(a) == Folded(b); });
}
}  // namespace

TypingResult CompleteTyping(const EditState& edit, char typed, const std::vector<std::string_view>& items)
{
    constexpr char Escape = 27, Backspace = 8;
    TypingResult result;
    const std::size_t start = std::min(edit.selectionStart, edit.text.size());
    const std::size_t end = std::clamp(edit.selectionEnd, start, edit.text.size());
    if (typed == Escape)
        return result;
    if (typed == Backspace) {
        result.action = TypingResult::Action::Replace;
        result.dropCurrentItem = true;
        const std::size_t from = start == end && start > 0 ? start - 1 : start;
        result.edit.text = edit.text.substr(0, from) + edit.text.substr(end);
        result.edit.selectionStart = result.edit.selectionEnd = from;
        return result;
    }
    const std::string search = (start < end ? edit.text.substr(0, start) : edit.text) + typed;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!StartsWithIgnoringCase(items[i], search))
            continue;
        result.action = TypingResult::Action::Replace;
        result.currentItem = static_cast<int>(i);
        result.edit.text = search + std::string(items[i].substr(search.size()));
        result.edit.selectionStart = search.size();
        result.edit.selectionEnd = result.edit.text.size();
        return result;
    }
    return result;
}
