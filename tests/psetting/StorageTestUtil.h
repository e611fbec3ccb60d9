#pragma once
// What the storage and scrambling tests share: a throwaway base key, a
// registry object, a form with gizmos for bound settings, free settings,
// and byte-building helpers for fixtures.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RegistryTestKey.h"
#include "SettingTestComponents.h"
#include "psetting/PRegistry.h"
#include "psetting/PSetting.h"

namespace storagetest {

using Bytes = std::vector<uint8_t>;

inline Bytes Int32(int32_t v) {
    const auto u = uint32_t(v);
    return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}

inline Bytes Ascii(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Byte pieces joined into one fixture.
inline Bytes Join(std::initializer_list<Bytes> pieces) {
    Bytes out;
    for (const Bytes& p : pieces) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A String of the value stream: Int32 count, then the bytes.
inline Bytes Counted(const Bytes& bytes) { return Join({Int32(int32_t(bytes.size())), bytes}); }

class StorageTest : public testing::Test {
protected:
    // A free setting (no owner, no bound property) known by `name`.
    TPSetting& Free(const std::string& name, bool encrypted = false) {
        free_.emplace_back(TComponent::Create<TPSetting>(nullptr));
        TPSetting& s = *free_.back();
        s.Name = name;
        s.Encrypted = encrypted;
        return s;
    }
    // A setting owned by the form, bound to `path`.
    TPSetting& Bound(const std::string& path, bool encrypted = false) {
        auto* s = TComponent::Create<TPSetting>(form.form.get());
        s->BoundProperty = path;
        s->Encrypted = encrypted;
        return *s;
    }
    std::optional<regtest::TRawValue> Stored(const std::string& name, const std::string& sub = "") const {
        return regtest::RawGet(sub.empty() ? key.Path() : key.Sub(sub), name);
    }
    void Store(const std::string& name, DWORD type, const Bytes& bytes, const std::string& sub = "") {
        regtest::RawSet(sub.empty() ? key.Path() : key.Sub(sub), name, type, bytes);
    }

    regtest::TTestKey key;
    TPRegistry reg;
    TGizmoForm form;

private:
    std::vector<TOwnedPtr<TPSetting>> free_;
};

}  // namespace storagetest
