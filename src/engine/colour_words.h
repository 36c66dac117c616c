// The arguments of COLOR: colour letters for the foreground, `/`, the background.
#pragma once

namespace vtx {

struct Tokenizer;

// Reads the colour words that follow the current token and returns the attribute (7 when
// no colour bit was named), or -1 when the words do not form a colour. Only the first
// character of a word counts; foreground letters ignore case, background letters must be
// lower case. A word after a complete background is given back to begin the next statement.
int colour_from_words(Tokenizer& t);

} // namespace vtx
