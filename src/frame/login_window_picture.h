#pragma once

namespace frame {

// The login window's outline and background: one complete 24-bit Windows bitmap file,
// 320 x 170 pixels, whose pure red pixels (the key colour 255) lie outside the window.
inline constexpr int LoginWindowPictureSize = 163254;

// A reference to the bytes: they are drawn at compile time into a constant object, and an
// array cannot be initialised from another one.
extern const unsigned char (&LoginWindowPicture)[LoginWindowPictureSize];

} // namespace frame
