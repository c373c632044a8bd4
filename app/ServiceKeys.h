#pragma once
// Registry key paths of the service export, built from the receiver's labels, and the text of a
// service handle. The companion application reads these keys, so their shape is fixed.
#include <cstdint>
#include <string>
#include <string_view>

// A label as it names a key: cut at its first NUL, which would otherwise end the key name there
// and send the value into another key, then without trailing characters of code U+0020 or below.
// Leading and inner characters stay, a backslash included (it adds a level of keys).
std::wstring KeyLabel(std::wstring_view label);

// "Software\Kelmoor\Orvane\Services\" + the multiplex's key label.
std::wstring MultiplexKeyPath(std::wstring_view multiplexLabel);

// The multiplex key path + "\" + the service's key label.
std::wstring ServiceKeyPath(std::wstring_view multiplexLabel, std::wstring_view serviceLabel);

// A service handle as the export writes it: signed decimal.
std::string HandleText(std::int32_t handle);
