#pragma once
// Character references of SGML, HTML and XML text: "&amp;", "&#65;", "&#x41;" and the entity
// names of HTML for ISO 8859-1. Decoded characters are single bytes in ISO 8859-1.

#include "XGTypes.h"

#include <cstddef>
#include <string>

namespace yaaf {

// Decodes the references in `in` into `out`, a buffer of `size` bytes; the result is cut to fit
// and always zero-terminated (when size > 0). Answers the length written.
//  - "&" starts a reference that runs to ";" (at most 31 characters; the ";" is dropped).
//  - "#" and a decimal number, or "#x"/"#X" and hexadecimal digits, give the character with
//    that code (its low 8 bits; a code whose low 8 bits are 0 gives nothing, since it would cut
//    the text short).
//  - A known entity name gives its character; an unknown name ended by ";" disappears.
//  - An "&" that does not start a reference (no ";" follows the name and the name is unknown)
//    is kept as it stands, so that a stray ampersand in text is not lost.
size_t ConvertSGMLEscapes(char* out, const char* in, size_t size);
std::string ConvertSGMLEscapes(const std::string& in);

// The character of an entity name ("amp" gives 38), or -1. Case matters.
int16 XGLookupSGMLEntity(const char* name);

// The number of named entities known (100).
size_t XGCountSGMLEntities();

} // namespace yaaf
