#pragma once

#include <string>
#include <string_view>

namespace kx {

// The help page as plain text, for a window that shows text only: the head
// (title, styles) and scripts are left out, the other tags removed; headings,
// paragraphs, list items, table rows and line breaks start lines of their
// own, blank runs within a line become one blank, and the entities of the
// page (&amp;, &lt;, &#8211; …) become their characters. UTF-8 in and out;
// lines end with "\n".
std::string helpPlainText(std::string_view html);

}  // namespace kx
