#pragma once
// Small shared helpers: web addresses and picture names in item texts, string and byte-order
// conversions, finding a moved file, and the speech output.

#include "XGFileSpecifier.h"
#include "XGTypes.h"

#include <cstddef>

// Web address prefixes and picture name endings, each list ended by a null entry.
extern const char* const g_url_list[];
extern const char* const g_pic_list[];

// True when the text begins with one of the web address prefixes (case matters).
bool StringIsURL(const char* text);
// True when the text from its last "." (fewer than six characters with the ".") begins,
// lower-cased, with one of the picture endings.
bool URLStringIsPic(const char* text);

// Zero-terminated to length-prefixed (at most 255 characters); out needs 256 bytes.
unsigned char* cvtc2p(unsigned char* out, const char* text);
// Length-prefixed to zero-terminated; out needs text[0] + 1 bytes.
char* cvtp2c(char* out, const unsigned char* text);
// Copies at most size - 1 characters and terminates (nothing at all when size is 0).
char* nstrcpy(char* out, const char* text, size_t size);
// A lower-case copy; out may be text.
char* strlower(char* out, const char* text);

yaaf::uint16 SwapWord(yaaf::uint16 value);
yaaf::uint32 SwapLong(yaaf::uint32 value);

// When the file of fileSpec does not exist, fileSpec is changed to name the file of the same
// name in the folder of baseSpec. Answers 0 when fileSpec then names something that exists,
// else 3.
yaaf::int16 ResolveFileSpec(yaaf::XGFileSpecifier& fileSpec, const yaaf::XGFileSpecifier& baseSpec);

// Speech output: the text is queued and spoken in order (XGSpeech); the idle step frees the
// channel of a finished utterance and starts the next.
void SpeakCString(const char* text);
void Idle_DisposeSpeechChannel();
