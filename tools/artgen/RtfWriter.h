#pragma once

#include <QByteArray>
#include <QString>

namespace artgen {

// Turns a small plain-text markup into a rich-text document that word processors
// open. The output is 7-bit: every character beyond ASCII is written as a Unicode
// escape followed by its code page 1251 byte as the fallback for older readers
// ("?" where the code page has no such character).
//
// Markup, one block per line group, blocks separated by blank lines:
//   "# text"      title, centred
//   "## text"     section heading
//   "> text"      epigraph, italic, right-aligned
//   "- text"      bullet item; the lines after it, up to a blank line or the
//                 next item, continue it
//   "| a | b |"   table row (consecutive rows form a table; the first is the header)
//   "==="         page break
//   other lines   body text; lines of one block are joined with spaces
// Inside text, "**" switches bold on and off.
class RtfWriter {
public:
    static QByteArray convert(const QString& markup);
    // One run of text with the markup's special characters escaped.
    static QByteArray escape(const QString& text);
};

}  // namespace artgen
