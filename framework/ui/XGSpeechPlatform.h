#pragma once
// The platform's text-to-speech as the engine of XGSpeech.

#include "XGSpeech.h"

#include <memory>

namespace yaaf {

// Installs the platform's engine as XGSpeech's factory (the engine itself is made when first
// needed). Without text-to-speech in this build, speech reports that once and stays silent.
void XGInstallPlatformSpeech();

// A new engine over the platform's text-to-speech; its Problem() tells when it cannot speak.
std::unique_ptr<XGSpeechEngine> XGNewPlatformSpeechEngine();

} // namespace yaaf
