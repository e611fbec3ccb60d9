#include "app/FontFamilies.h"

#include <algorithm>
#include <unordered_map>

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

namespace {

std::vector<std::string> LocaleFamilyList() {
    const std::vector<std::string> reported = EnumFontFamilyNames();
    // Sort keys made once per name: with a thousand families, comparing
    // the texts pair by pair is a noticeable part of the start-up.
    struct THash : std::hash<std::string_view> {
        using is_transparent = void;
    };
    std::unordered_map<std::string, std::string, THash, std::equal_to<>> keys;
    keys.emplace(kDefaultFamily, AnsiCompareKey(kDefaultFamily));
    for (const std::string& name : reported)
        if (!keys.contains(name)) keys.emplace(name, AnsiCompareKey(name));
    return BuildFontFamilyList(reported, [&keys](std::string_view a, std::string_view b) {
        return keys.find(a)->second.compare(keys.find(b)->second);
    });
}

}  // namespace

const std::vector<std::string>& FontFamilies() {
    static const std::vector<std::string> families = LocaleFamilyList();
    return families;
}
