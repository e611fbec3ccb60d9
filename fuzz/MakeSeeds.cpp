// Writes the seed corpora of the targets that read bytes, from the texts in
// corpus/form_text (the program's form files and the test fixtures' forms)
// and from the golden values of the tests. Run by hand when the formats
// change; the corpora are kept in the repository:
//
//   build-fuzz/fuzz_make_seeds fuzz/corpus

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <sstream>

#include "FuzzClasses.h"
#include "FuzzSupport.h"
#include "platform/core/DateTime.h"
#include "platform/core/Extended.h"
#include "platform/core/Filer.h"
#include "psetting/PSetting.h"
#include "psetting/Scramble.h"
#include "psetting/ValuePayload.h"
#include "tests/psetting/SettingTestComponents.h"

namespace fs = std::filesystem;
using fuzz::Bytes;

namespace {

fs::path g_root;

void Save(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path dir = g_root / target;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes Join(uint8_t first, const Bytes& rest) {
    Bytes out{first};
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}
Bytes Join(uint8_t first, std::string_view rest) { return Join(first, Bytes(rest.begin(), rest.end())); }

Bytes Written(const std::function<void(TWriter&)>& write) {
    TMemoryStream stream;
    TWriter writer(stream);
    write(writer);
    return stream.Bytes();
}

// The binary forms of the form texts that parse; those of the test forms also seed
// the component-stream reader, whose registry knows their classes.
void FormSeeds() {
    for (const fs::directory_entry& entry : fs::directory_iterator(g_root / "form_text")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Bytes binary;
        try {
            binary = ObjectTextToBinary(text);
        } catch (const EParserError&) {
            continue;  // a text kept to show that it is refused
        }
        const std::string name = entry.path().stem().string() + ".bin";
        Save("form_binary", name, binary);
        if (name.starts_with("testform-")) Save("component_stream", name, binary);
    }
}

// One value of every tag, behind the mode byte of the reader that takes it.
void TaggedSeeds() {
    struct Seed {
        const char* name;
        uint8_t mode;
        std::function<void(TWriter&)> write;
    };
    const Seed seeds[] = {
        {"variant-list", 0,
         [](TWriter& w) {
             w.WriteVariant(TVariant::Array({TVariant(1), TVariant("x"), TVariant(true), TVariant::Array({})}));
         }},
        {"variant-int64", 0, [](TWriter& w) { w.WriteVariant(TVariant(int64_t(5))); }},
        {"variant-date", 0, [](TWriter& w) { w.WriteDate(45000.25); }},
        {"variant-currency", 0, [](TWriter& w) { w.WriteCurrency(-12345); }},
        {"skip-set", 1, [](TWriter& w) {
             w.WriteValue(TValueType::Set);
             w.WriteStr("fsBold");
             w.WriteStr({});
         }},
        {"string-short", 2, [](TWriter& w) { w.WriteString("abc"); }},
        {"string-long", 2, [](TWriter& w) { w.WriteString(std::string(256, 'y')); }},
        {"string-utf8", 2, [](TWriter& w) { w.WriteString("\xC4\x8D" "aj"); }},
        {"string-wide", 2, [](TWriter& w) { w.WriteWideString("A\xC3\xA9\xF0\x9F\x98\x80"); }},
        {"ansi", 3, [](TWriter& w) { w.WriteAnsiString("\xC3\xA9"); }},
        {"ident", 4, [](TWriter& w) { w.WriteIdent("alClient"); }},
        {"float-extended", 5, [](TWriter& w) { w.WriteFloat(1.5L); }},
        {"float-single", 5, [](TWriter& w) { w.WriteSingle(0.1f); }},
        {"int64", 6, [](TWriter& w) { w.WriteInteger(INT64_MIN); }},
        {"int32", 7, [](TWriter& w) { w.WriteInteger(-100000); }},
        {"boolean", 8, [](TWriter& w) { w.WriteBoolean(true); }},
        {"binary", 9, [](TWriter& w) { w.WriteBinary({1, 2, 0xFF}); }},
        {"collection", 10, [](TWriter& w) {
             w.WriteValue(TValueType::Collection);
             w.WriteListBegin();
             w.WriteStr("Caption");
             w.WriteString("first");
             w.WriteStr("Width");
             w.WriteInteger(3);
             w.WriteListEnd();
             w.WriteInteger(2);
             w.WriteListBegin();
             w.WriteListEnd();
             w.WriteListEnd();
         }},
    };
    for (const Seed& s : seeds) Save("tagged_value", s.name, Join(s.mode, Written(s.write)));
}

void NumberSeeds() {
    auto extended = [](long double v) {
        const TExtended10 e = TExtended10::FromLongDouble(v);
        return Join(0, Bytes(e.bytes.begin(), e.bytes.end()));
    };
    Save("numbers", "extended-one", extended(1.0L));
    Save("numbers", "extended-third", extended(1.0L / 3));
    Save("numbers", "extended-infinity", extended(HUGE_VALL));
    Save("numbers", "extended-pseudo-denormal", Join(0, Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0}));
    Save("numbers", "extended-unnormal", Join(0, Bytes{0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F}));
    Save("numbers", "single-tenth", Join(1, Bytes{0xCD, 0xCC, 0xCC, 0x3D}));
    Save("numbers", "double-tiny", Join(2, Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    Save("numbers", "text-exact", Join(3, "1.0E-300"));
    Save("numbers", "text-tie", Join(3, "-2.50000000000000000000000000000000000001e+4931"));
    Save("numbers", "locale-comma", Join(4, " -2,5e10 "));
    Save("numbers", "locale-hex", Join(4, "$7FFFFFFFFFFFFFFF"));
    double when = 45000.75;
    Bytes date(sizeof when);
    std::memcpy(date.data(), &when, sizeof when);
    const std::string picture = "dd.mm.yyyy hh:nn:ss.zzz ampm \"quoted\" d/m/yy";
    date.insert(date.end(), picture.begin(), picture.end());
    Save("numbers", "date-picture", Join(5, date));
}

// Stored values of every kind, binary and scrambled, each for a path whose
// property takes it; and texts and integers for the plain paths.
void SettingSeeds() {
    struct Seed {
        const char* name;
        uint8_t path;  // index into the target's paths
        std::function<void(TPSetting&)> set;
    };
    const Seed seeds[] = {
        {"float", 4, [](TPSetting& s) { s.SetAsFloat(2.5L); }},
        {"boolean", 3, [](TPSetting& s) { s.SetAsBoolean(true); }},
        {"date", 6, [](TPSetting& s) { s.SetAsDateTime(45000.5); }},
        {"variant", 6, [](TPSetting& s) { s.SetAsVariant(TVariant("v")); }},
        {"strings", 9, [](TPSetting& s) {
             TStringList list;
             list.Add("one");
             list.Add("two");
             s.SetAsStrings(list);
         }},
        {"string", 5, [](TPSetting& s) { s.SetAsString("caption"); }},
        {"integer", 0, [](TPSetting& s) { s.SetAsInteger(-42); }},
        {"hidden", 18, [](TPSetting& s) {
             s.Value.Kind = pvkHidden;
             s.Value.Object = s.Owner()->FindComponent("Gizmo1");
         }},
        {"collection", 13, [](TPSetting& s) {
             s.ReadFromProperty();
         }},
    };
    const char* const paths[] = {"Gizmo1.Count", "", "", "Gizmo1.Active", "Gizmo1.Ratio", "Gizmo1.Caption",
                                 "Gizmo1.Data", "", "", "Gizmo1.Lines", "", "", "", "Gizmo1.Items", "", "", "",
                                 "", "Gizmo1.Blob"};
    for (const Seed& seed : seeds) {
        TGizmoForm form;
        auto* g = static_cast<TGizmo*>(form.gizmo1);
        g->Blob = {1, 2, 3};
        g->Items()->Add();
        auto* s = TComponent::Create<TPSetting>(form.form.get());
        s->BoundProperty = paths[seed.path];
        seed.set(*s);
        TValueStreamWriter w;
        w.WriteInt32(int32_t(s->Value.Kind));
        WriteValuePayload(*s, w);
        Save("setting_value", std::string(seed.name) + "-binary", Join(seed.path, Join(0, w.Bytes())));
        std::vector<uint8_t> scrambled;
        s->EncryptValue(scrambled);
        Save("setting_value", std::string(seed.name) + "-scrambled", Join(seed.path, Join(1, scrambled)));
    }
    Save("setting_value", "text-shape", Join(2, Join(2, "gsTriangle")));
    Save("setting_value", "text-styles", Join(7, Join(2, "gyBold,gyTall")));
    Save("setting_value", "text-link", Join(14, Join(2, "Gizmo2")));
    Save("setting_value", "integer-letter", Join(1, Join(3, Bytes{0x41, 0, 0, 0})));
    Save("setting_value", "integer-wide", Join(20, Join(3, Bytes{0x0D, 0x01, 0, 0})));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_make_seeds <corpus folder>\n";
        return 2;
    }
    g_root = argv[1];
    fuzz::RegisterFuzzClasses();
    // The same seeds every time: scrambled values start from a fixed byte.
    scramble::SetSeedSource([]() -> uint8_t { return 0x5A; });
    try {
        FormSeeds();
        TaggedSeeds();
        NumberSeeds();
        SettingSeeds();
    } catch (const std::exception& e) {
        std::cerr << "fuzz_make_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
