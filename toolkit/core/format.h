#pragma once

#include <string>
#include <string_view>

// Fills a message format that takes one integer: every "%d" becomes value in
// decimal and "%%" becomes "%"; anything else is copied as it stands. Unlike
// printf, a format with other directives cannot read past its one argument.
std::string formatWithInteger(std::string_view format, long long value);
