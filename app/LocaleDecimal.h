#pragma once
// The decimal separator of the user's locale settings, for reading the frequency box.

// The first character of the user's decimal separator, read anew on every call so that a change
// in the settings counts from the next tune; "." when the setting cannot be read.
char LocaleDecimalSeparator();
