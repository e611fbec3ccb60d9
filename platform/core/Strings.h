#pragma once
// String lists. Their text is every line followed by CR LF; they stream as
// the property "Strings", a list of strings.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"

class TStrings : public TPersistent {
    GLY_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual TObject* GetObj(int index) const;
    virtual void PutObj(int index, TObject* obj);

    int Add(const std::string& s);
    int AddObj(const std::string& s, TObject* obj);
    void AddStrings(const TStrings& other);
    // First index of a line equal to `s`, ASCII case ignored; -1 when absent.
    virtual int IndexOf(std::string_view s) const;
    std::string operator[](int index) const { return Get(index); }

    // Each line followed by CR LF; setting it splits at CR LF, LF or CR.
    std::string Text() const;
    virtual void SetText(std::string_view text);
    // Lines joined by ",", quoted with '"' where they hold blanks, commas or quotes.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const noexcept { return updateCount_ > 0; }

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;
    bool Equals(const TStrings& other) const;

protected:
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
    GLY_CLASS(TStringList)
public:
    TStringList() = default;
    ~TStringList() override = default;

    int Count() const override { return int(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    TObject* GetObj(int index) const override;
    void PutObj(int index, TObject* obj) override;

    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    void CheckIndex(int index, bool allowEnd = false) const;
    void Changed();
    struct Item {
        std::string text;
        TObject* obj = nullptr;
    };
    std::vector<Item> items_;
};
