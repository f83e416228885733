#pragma once

#include <string>

// The form in which a path goes to a wide Win32 call: UTF-16, '/' turned into
// '\', and an absolute path given the "\\?\" form ("\\?\C:\...",
// "\\?\UNC\server\share\...") so that it may be longer than 260 characters.
// That form takes the path as it is, so it must be whole and clean, as the
// paths of a walk are (a canonical folder joined with entry names). A path
// already in a "\\?\" or "\\.\" form, or a relative one, is only converted.
std::wstring systemPath(const std::string &path);

// The UTF-16 text `text` in UTF-8, for names and paths the system gives.
std::string fromSystemText(const wchar_t *text, std::size_t length);
std::string fromSystemText(const std::wstring &text);

// `text` in UTF-16, for the system, without any change to its separators.
std::wstring toSystemText(const std::string &text);

// A path the system gives back ("\\?\C:\x\", "\\?\UNC\s\x") in the form
// users write and the folder search reports ("C:\x", "\\s\x"), which
// systemPath() turns back; no separator at the end but a drive root's.
std::string userPath(std::wstring path);
