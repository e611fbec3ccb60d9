#include "platform/core/Strings.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"

const TClassInfo& TStrings::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStrings>("TStrings", &TPersistent::StaticClass).Build();
    return info;
}

const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", &TStrings::StaticClass).Build();
    return info;
}

void TStrings::Put(int index, const std::string& s) {
    TObject* obj = GetObj(index);
    Delete(index);
    Insert(index, s);
    PutObj(index, obj);
}

TObject* TStrings::GetObj(int /*index*/) const { return nullptr; }
void TStrings::PutObj(int /*index*/, TObject* /*obj*/) {}

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObj(const std::string& s, TObject* obj) {
    const int index = Add(s);
    PutObj(index, obj);
    return index;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) AddObj(other.Get(i), other.GetObj(i));
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (text::SameText(Get(i), s)) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        Add(std::string(text.substr(start, end - start)));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        start = end;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        if (i) out += ',';
        const bool quote = s.empty() || s.find_first_of(" \t\",") != std::string::npos;
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStrings::SetCommaText(std::string_view text) {
    BeginUpdate();
    Clear();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != ' ' && text[i] != '\t') item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i == text.size()) Add({});
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent& source) {
    const auto* other = source.As<TStrings>();
    if (!other) return TPersistent::Assign(source);
    BeginUpdate();
    Clear();
    AddStrings(*other);
    EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings",
        [this](TReader& reader) {
            // A bad stream throws half-way; the list must not stay in update mode.
            struct Updating {
                TStrings& s;
                ~Updating() { s.EndUpdate(); }
            } guard{*this};
            BeginUpdate();
            Clear();
            reader.ReadListBegin();
            while (!reader.EndOfList()) Add(reader.ReadString());
            reader.ReadListEnd();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < Count(); ++i) writer.WriteString(Get(i));
            writer.WriteListEnd();
        },
        Count() > 0);
}

// ---- TStringList ------------------------------------------------------------

void TStringList::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[size_t(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
    CheckIndex(index);
    items_[size_t(index)].text = s;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, Item{s, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

TObject* TStringList::GetObj(int index) const {
    CheckIndex(index);
    return items_[size_t(index)].obj;
}

void TStringList::PutObj(int index, TObject* obj) {
    CheckIndex(index);
    items_[size_t(index)].obj = obj;
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating) Changed();
}

void TStringList::Changed() {
    if (!Updating() && OnChange) OnChange(this);
}
