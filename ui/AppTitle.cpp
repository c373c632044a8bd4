#include "ui/AppTitle.h"

std::string ApplicationTitle(std::string_view modulePath)
{
    const std::size_t folderEnd = modulePath.find_last_of("\\/:");
    std::string_view name = folderEnd == std::string_view::npos ? modulePath : modulePath.substr(folderEnd + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        if (c >= 'A' && c <= 'Z')
            title[i] = static_cast<char>(c - 'A' + 'a');
    }
    return title;
}

std::string ErrorDisplayText(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}
