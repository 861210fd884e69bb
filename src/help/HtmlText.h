#pragma once

#include <string>

namespace kalderon {

// The readable text of an HTML page: tags, comments, scripts and styles
// removed, the common character entities decoded, runs of white space made
// one blank.
std::string HtmlPlainText(const std::string& html);

// The text of the page's <title>, decoded; empty when it has none.
std::string HtmlTitle(const std::string& html);

// The value of attribute `name` in the tag text `tag` ("<param name=...>"),
// decoded; empty when absent.  Names are matched without regard to case.
std::string HtmlAttribute(const std::string& tag, const std::string& name);

// Lower-cases ASCII letters.
std::string AsciiLower(std::string text);

}  // namespace kalderon
