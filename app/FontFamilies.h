#pragma once
// The font family list: the names the program shows and prints, built once
// at start-up. An entry's index is the family's identity everywhere.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The entry that names no installed family and stands for the default
// user-interface face.
inline constexpr std::string_view kDefaultFamily = "Default";
inline constexpr std::string_view kDefaultFace = "MS Sans Serif";

using TTextCompare = std::function<int(std::string_view, std::string_view)>;

// "Default", then every reported name unless it equals the one appended just
// before it (letter case ignored by `compare`), the whole sorted by `compare`.
std::vector<std::string> BuildFontFamilyList(const std::vector<std::string>& reported, const TTextCompare& compare);

// The face actually used for a family entry: "Default" (letter case ignored)
// becomes the default user-interface face.
std::string FaceForFamily(std::string_view family);

// The list of this run, built on first use from the platform's enumeration
// and the user's locale; never rebuilt.
const std::vector<std::string>& FontFamilies();
