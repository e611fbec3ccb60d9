#include "app/FontFamilies.h"

#include <algorithm>

#include "platform/core/Text.h"
#include "platform/win/FontEnum.h"

std::vector<std::string> BuildFontFamilyList(const std::vector<std::string>& reported, const TTextCompare& compare) {
    std::vector<std::string> list{std::string(kDefaultFamily)};
    // A family is reported once per character set, in a row; only the
    // neighbour is compared, so a name that comes back later stays twice.
    for (const std::string& name : reported)
        if (compare(list.back(), name) != 0) list.push_back(name);
    std::stable_sort(list.begin(), list.end(),
                     [&](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
    return list;
}

std::string FaceForFamily(std::string_view family) {
    return text::SameText(family, kDefaultFamily) ? std::string(kDefaultFace) : std::string(family);
}

const std::vector<std::string>& FontFamilies() {
    static const std::vector<std::string> families = BuildFontFamilyList(EnumFontFamilyNames(), &AnsiCompareText);
    return families;
}
