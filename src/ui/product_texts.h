#pragma once

// The product's names and pages as the installer's windows show them.
inline constexpr const char* kProductDisplayName = "Vantyx音频剪辑软件";
inline constexpr const char* kProductIdentifier = "VantyxAudioEditor";
// The licence terms, opened by the terms link.
inline constexpr const char* kTermsPageAddress = "https://terms.vantyx-audio.invalid/license";
// Opened with the product unless the package names a start page of its own.
inline constexpr const char* kTutorialPageAddress = "https://www.vantyx-audio.invalid/tutorial";
