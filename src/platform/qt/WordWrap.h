// How the result boxes wrap their lines with Qt's layout.
#pragma once

#include <QString>
#include <QTextOption>

namespace tavimo {

// Word wrap: a line breaks between words, and inside a word only where the word alone
// is wider than the box. Qt lays out such a line by measuring the rest of the word first, then
// breaking it anywhere; for a word of thousands of characters (the comma list of primes, which
// has no break points) every line measures the rest of it again, which takes many times longer
// than breaking anywhere at once. A text that holds such a word is therefore wrapped anywhere:
// the word itself is broken at the same places; only the text next to it in the same paragraph
// then breaks at the box's edge instead of between words.
QTextOption::WrapMode resultWrapMode(const QString& text);

} // namespace tavimo
