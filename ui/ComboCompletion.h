#pragma once
// How the frequency box completes typed text from its items. Pure rules, no Windows.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct EditState {
    std::string text;
    std::size_t selectionStart = 0;  // the caret when nothing is selected
    std::size_t selectionEnd = 0;
};

struct TypingResult {
    enum class Action { PassOn, Replace } action = Action::PassOn;
    EditState edit;             // with Replace: the box's new text and selection
    bool dropCurrentItem = false;
    int currentItem = -1;       // with Replace and not dropCurrentItem: the item now current
};

// Escape and characters no item continues pass on to the edit field. Backspace deletes the
// selection, or the character before the caret, and the list loses its current item. Any
// other character completes to the first item that begins with the text before the
// selection plus that character, ignoring case, with the completed rest selected.
TypingResult CompleteTyping(const EditState& edit, char typed, const std::vector<std::string_view>& items);
